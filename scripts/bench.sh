#!/usr/bin/env bash
# Builds the benchmarks as a release in build-bench/ and runs them; extra
# arguments go to each benchmark program (for example --benchmark_filter=Step).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=ON -DAUTOMATEN_TESTS=OFF >/dev/null
cmake --build build-bench -j2
build-bench/bench/engine_bench "$@"
build-bench/bench/simulation_bench "$@"
build-bench/bench/diagram_bench "$@"
build-bench/bench/grading_bench "$@"
build-bench/bench/language_bench "$@"
echo "the window's rate: build-bench/bench/gui_rate_probe SECONDS (offscreen, a few minutes)" >&2
