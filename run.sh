#!/usr/bin/env bash
# Installs what is missing, builds the release in build-release/ and starts
# the program. With --web: builds the web page (build-web/site/) and serves it,
# compressed, on 127.0.0.1 (port 8000, or AUTOMATEN_PORT) until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")"

if [[ "${1:-}" == "--web" ]]; then
  ./scripts/build-web.sh
  port=${AUTOMATEN_PORT:-8000}
  exec node web/serve.js build-web/site "$port"
fi

./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=OFF -DAUTOMATEN_TESTS=OFF >/dev/null
cmake --build build-release -j2

if [[ -x build-release/app/automaten ]]; then
  exec build-release/app/automaten "$@"
else
  echo "run.sh: the build made no window program (build-release/app/automaten)" >&2
  exit 1
fi
