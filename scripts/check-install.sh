#!/usr/bin/env bash
# Installs a build into a scratch folder and checks the tree a desktop
# expects, validates the menu entry and the metainfo where the validators are
# installed, and builds the Debian package and looks into it.
# check-install.sh BUILD
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
expected=(
  usr/bin/automaten usr/bin/automaten-cli
  usr/share/applications/de.automaten.Automaten.desktop
  usr/share/metainfo/de.automaten.Automaten.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/automaten.svg
  usr/share/icons/hicolor/48x48/apps/automaten.png
  usr/share/icons/hicolor/256x256/apps/automaten.png
  usr/share/man/man1/automaten-cli.1
  usr/share/man/man1/automaten.1
)
missing=0
for f in "${expected[@]}"; do
  [[ -e "$root/$f" ]] || { echo "install: $f is missing" >&2; missing=1; }
done
((missing == 0))
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/de.automaten.Automaten.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/de.automaten.Automaten.metainfo.xml" >/dev/null
fi
# Both manual pages as mandoc reads them: nothing above the level of style.
for page in automaten-cli.1 automaten.1; do
  lint=$(mandoc -Tlint -W warning "$root/usr/share/man/man1/$page" 2>&1) || { echo "install: $page: $lint" >&2; exit 1; }
done
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/automaten_*.deb | head -1)
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/automaten usr/bin/automaten-cli usr/share/applications/de.automaten.Automaten.desktop; do
  grep -q "\./$f\$" <<<"$contents" || { echo "install: $deb lacks $f" >&2; exit 1; }
done
echo "install: tree, menu entry, metainfo, manual pages and $(basename "$deb") checked"
