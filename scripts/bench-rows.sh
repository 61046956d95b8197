#!/usr/bin/env bash
# The command line's long runs against bare loops doing the same, as whole
# processes: CPU time (user + system) and peak memory of each, interleaved,
# the median of ROUNDS (default 5). Builds the release in build-bench/ first.
#   scripts/bench-rows.sh [ROUNDS] [CLI]
# CLI: another automaten-cli to measure (for example an earlier build).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
if [[ ! -x build-bench/bench/bare_loop ]] || [[ -z "${2:-}" ]]; then
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=ON -DAUTOMATEN_TESTS=OFF >/dev/null
  cmake --build build-bench -j2 --target bare_loop automaten-cli >/dev/null
fi
cli=${2:-build-bench/app/automaten-cli}
bare=build-bench/bench/bare_loop
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for kind in dea nea ka tm; do "$bare" program "$kind" >"$work/$kind.txt"; done
"$bare" make dea 10000000 >"$work/dea.tape"
"$bare" make nea 10000000 >"$work/nea.tape"
"$bare" make ka 1000000 >"$work/ka.tape"

rows=(
  "DEA, 10^7 cells from --tape-file|$cli --kind dea --max-steps 20000000 --tape-file $work/dea.tape $work/dea.txt|$bare dea $work/dea.tape"
  "NEA 12 states with ε-cycles, 10^7 cells|$cli --kind nea --max-steps 20000000 --tape-file $work/nea.tape $work/nea.txt|$bare nea $work/nea.tape"
  "KA, 10^6 pushes|$cli --kind ka --max-steps 2000000 --tape-file $work/ka.tape $work/ka.txt|$bare ka $work/ka.tape"
  "TM moving right, 10^8 steps|$cli --kind tm --no-loop-check --max-steps 100000000 $work/tm.txt|$bare tm 100000000"
)

# Seconds of CPU (user and system, to the microsecond) and peak kilobytes of
# one process, its output thrown away. GNU time reports the peak: a process
# forked from Python would count Python's own pages.
measure() {
  python3 -c '
import os, subprocess, sys
child = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", sys.argv[1]] + sys.argv[2:], stdout=subprocess.DEVNULL)
_, _, usage = os.wait4(child.pid, 0)
print("%.4f %s" % (usage.ru_utime + usage.ru_stime, open(sys.argv[1]).read().split()[-1]))
' "$work/time" $1
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-42s %10s %8s %10s %8s %6s %6s\n' run "cli s" "cli MB" "bare s" "bare MB" time mem
for row in "${rows[@]}"; do
  IFS='|' read -r name cmd base <<<"$row"
  : >"$work/c"
  : >"$work/b"
  for ((i = 0; i < rounds; ++i)); do
    measure "$cmd" >>"$work/c"
    measure "$base" >>"$work/b"
  done
  ct=$(cut -d' ' -f1 "$work/c" | median)
  cm=$(cut -d' ' -f2 "$work/c" | median)
  bt=$(cut -d' ' -f1 "$work/b" | median)
  bm=$(cut -d' ' -f2 "$work/b" | median)
  awk -v n="$name" -v ct="$ct" -v cm="$cm" -v bt="$bt" -v bm="$bm" 'BEGIN {
    printf "%-42s %10.4f %8.1f %10.4f %8.1f %6.2f %6.2f\n", n, ct, cm / 1024, bt, bm / 1024, ct / bt, cm / bm }'
done
