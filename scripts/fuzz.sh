#!/usr/bin/env bash
# Builds the fuzz targets of the rich-text and INI readers with clang's
# libFuzzer and runs each for a bounded time (seconds, default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
out=build-fuzz
mkdir -p "$out"
flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I.)
clang++ "${flags[@]}" fuzz/rtf_fuzz.cpp io/rtf.cpp io/cp1252.cpp -o "$out/rtf_fuzz"
clang++ "${flags[@]}" fuzz/ini_fuzz.cpp io/ini.cpp engine/text.cpp -o "$out/ini_fuzz"
for target in rtf_fuzz ini_fuzz; do
  mkdir -p "$out/corpus-$target"
  seeds=()
  [[ -d "fuzz/seeds-$target" ]] && seeds=("fuzz/seeds-$target")
  echo "fuzz: $target for ${seconds}s" >&2
  if ! "$out/$target" -max_total_time="$seconds" -max_len=4096 -timeout=5 -print_final_stats=1 \
      -artifact_prefix="$out/$target-" "$out/corpus-$target" "${seeds[@]}" >"$out/$target.log" 2>&1; then
    tail -40 "$out/$target.log" >&2
    echo "fuzz: $target found a failing input (in $out/)" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$out/$target.log" >&2 || true
done
