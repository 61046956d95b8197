#!/usr/bin/env bash
# automaten-cli compiled to WebAssembly, run by Node: takes the arguments of
# the native one. (Emscripten 3.1.6 loads its module with fetch when there is
# one, which fails on Node 18 and later for a file; so Node runs without it.)
here=$(cd "$(dirname "$0")/../.." && pwd)
exec node --no-experimental-fetch "${AUTOMATEN_CLI_JS:-$here/build-web/app/automaten-cli.js}" "$@"
