#!/usr/bin/env bash
# Installs what is missing, builds the release in build-release/ and starts
# the program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=OFF -DAUTOMATEN_TESTS=OFF >/dev/null
cmake --build build-release -j2

if [[ -x build-release/app/automaten ]]; then
  exec build-release/app/automaten "$@"
else
  echo "run.sh: the build made no window program (build-release/app/automaten)" >&2
  exit 1
fi
