#!/usr/bin/env bash
# Installs every Debian package the project needs that is not installed yet.
# Quick when everything is there: it only asks dpkg. With --web also what
# the web page needs: Emscripten, and Chromium for its tests.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  fonts-liberation xvfb xauth xdotool imagemagick x11-utils
  desktop-file-utils appstream dpkg-dev man-db mandoc lintian
  libgraphviz-dev
  python3 python3-junitparser python3-pyatspi at-spi2-core dbus
)
if [[ "${1:-}" == "--web" ]]; then
  packages+=(emscripten chromium nodejs python3 brotli terser)
  # npm for the browser driver and Graphviz in WebAssembly; some nodejs builds bring their own.
  command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
