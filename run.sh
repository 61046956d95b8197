#!/usr/bin/env bash
# Installs what is missing, builds the release in build-release/ and starts
# the program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=OFF >/dev/null
cmake --build build-release -j2

if [[ -x build-release/app/automaten ]]; then
  exec build-release/app/automaten "$@"
elif [[ -x build-release/app/automaten-cli ]]; then
  echo "The window is not built yet; running the Turing machine example in automaten-cli." >&2
  exec build-release/app/automaten-cli --kind tm --example "$@"
else
  echo "Built the engine and its tests; the window and the command-line runner are not part of this build yet." >&2
  echo "Run ./test.sh to check the engine." >&2
fi
