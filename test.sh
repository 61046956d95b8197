#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer in build/, fuzzes the file readers briefly, and
# runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DAUTOMATEN_SANITIZE=ON >/dev/null
cmake --build build -j2

# The rich-text and INI readers meet any bytes: a short fuzzing run each.
./scripts/fuzz.sh "${FUZZ_SECONDS:-15}"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
