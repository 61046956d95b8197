#!/usr/bin/env bash
# Runs each libFuzzer target of a build for a bounded time: fuzz.sh BUILD
# SECONDS. Zero seconds skips fuzzing (libFuzzer itself would run for ever).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
if ((seconds <= 0)); then
  echo "fuzz: skipped (FUZZ_SECONDS=0)" >&2
  exit 0
fi
for target in rtf_fuzz ini_fuzz parse_fuzz regex_fuzz; do
  corpus="$build/fuzz/corpus-$target"
  mkdir -p "$corpus"
  seeds=()
  [[ -d "fuzz/seeds-$target" ]] && seeds=("fuzz/seeds-$target")
  echo "fuzz: $target for ${seconds}s" >&2
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=5 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz/$target-" "$corpus" "${seeds[@]}" >"$build/fuzz/$target.log" 2>&1; then
    tail -40 "$build/fuzz/$target.log" >&2
    echo "fuzz: $target found a failing input (in $build/fuzz/)" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$build/fuzz/$target.log" >&2 || true
done
