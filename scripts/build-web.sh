#!/usr/bin/env bash
# Builds the web page into build-web/: the engine, the run control and the
# readers compiled to WebAssembly with Emscripten, next to the page's static
# files (build-web/site/). Also builds automaten-cli for Node, which the tests
# compare with the native one.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --web
# Debian's Emscripten needs Debian's node modules (acorn) when another node is first on the path.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# Optimised for size: the page's bytes count on a school's network, and its
# steps are far faster than the 500 Hz the timer asks for.
if [[ "$(grep -s '^CMAKE_BUILD_TYPE:' build-web/CMakeCache.txt)" != *MinSizeRel ]]; then
  emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DAUTOMATEN_GUI=OFF -DAUTOMATEN_TESTS=OFF \
    -DAUTOMATEN_DIAGRAM=OFF -DAUTOMATEN_WEB=ON >/dev/null
fi
cmake --build build-web -j2
# Graphviz in WebAssembly for the diagram pane, from npm (web/package-lock.json).
[[ -f web/node_modules/@viz-js/viz/dist/viz-global.js ]] || (cd web && npm ci --no-audit --no-fund --loglevel=error)
rm -rf build-web/site && mkdir -p build-web/site
cp web/index.html web/style.css web/app.js web/sw.js web/manifest.webmanifest web/diagram.js web/diagram.css web/layout-worker.js \
  build-web/site/
cp web/node_modules/@viz-js/viz/dist/viz-global.js build-web/site/
cp data/automaten.svg build-web/site/icon.svg
cp data/icons/automaten-192.png build-web/site/icon-192.png
cp data/icons/automaten-512.png build-web/site/icon-512.png
cp build-web/web/automaten.js build-web/web/language.js build-web/site/
# The page's own scripts without comments and with short local names (Debian's terser).
for f in build-web/site/app.js build-web/site/diagram.js; do
  terser "$f" --ecma 2020 --compress --mangle --output "$f"
done
# Each text file also compressed beside it, for a server to send as the browser accepts it.
for f in build-web/site/*.{html,css,js,svg,webmanifest}; do
  gzip -9 -n -k -f "$f"
  if command -v brotli >/dev/null; then brotli -q 11 -k -f "$f"; fi
done
site_bytes() { du -cb --exclude='*.gz' --exclude='*.br' "$@" build-web/site/* | tail -1 | cut -f1; }
echo "build-web/site: $(site_bytes) bytes, without the files loaded on first use" \
  "$(site_bytes --exclude=viz-global.js --exclude='diagram.*' --exclude=layout-worker.js --exclude=language.js)" \
  "(the diagram pane and the language tools come when first used)," \
  "sent with brotli $(du -cb build-web/site/*.br 2>/dev/null | tail -1 | cut -f1)" >&2
