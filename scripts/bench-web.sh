#!/usr/bin/env bash
# The web page's figures (bench/web_bench.js): builds build-web/ and the
# native step_rate in build-bench/, then measures both in one run; then the
# page's Lighthouse scores on a phone (bench/lighthouse/, from npm; not run
# by the tests). Usage: scripts/bench-web.sh [SECONDS] [LIGHTHOUSE_RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build-web.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=ON -DAUTOMATEN_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target step_rate
[[ -d web/tests/node_modules/playwright-core ]] || (cd web/tests && npm ci --no-audit --no-fund --loglevel=error)
node bench/web_bench.js build-bench/bench/step_rate "${1:-2}"
[[ -d bench/lighthouse/node_modules/lighthouse ]] || (cd bench/lighthouse && npm ci --no-audit --no-fund --loglevel=error)
node bench/lighthouse/run.mjs build-web/site "${2:-3}"
