#!/usr/bin/env bash
# The web page's figures (bench/web_bench.js): builds build-web/ and the
# native step_rate in build-bench/, then measures both in one run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build-web.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=ON -DAUTOMATEN_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target step_rate
[[ -d web/tests/node_modules/playwright-core ]] || (cd web/tests && npm ci --no-audit --no-fund --loglevel=error)
node bench/web_bench.js build-bench/bench/step_rate "${1:-2}"
