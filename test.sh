#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test:
#   build/        the whole program with the window (g++)
#   build-nogui/  engine, io, control and automaten-cli without Qt (clang),
#                 with their tests and the fuzz targets, which then run
#                 briefly (FUZZ_SECONDS, default 15 each; 0 skips them)
# and checks what `cmake --install` and `cpack -G DEB` make of build/; a
# lesson on the real window under Xvfb (scripts/lesson.sh, screenshots in
# build/lesson); then
#   build-web/    the web page (Emscripten), tested on Node and in Chromium
#                 (scripts/test-web.sh)
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
./scripts/check-format.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DAUTOMATEN_SANITIZE=ON -DAUTOMATEN_BENCH=ON >/dev/null
cmake --build build -j2
cmake -S . -B build-nogui -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DAUTOMATEN_GUI=OFF \
  -DAUTOMATEN_SANITIZE=ON -DAUTOMATEN_FUZZ=ON >/dev/null
cmake --build build-nogui -j2

./scripts/fuzz.sh build-nogui "${FUZZ_SECONDS:-15}"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-nogui --output-on-failure -j2
ctest --test-dir build --output-on-failure -j2
./scripts/check-install.sh
QT_QPA_PLATFORM= ASAN_OPTIONS=detect_leaks=0 ./scripts/lesson.sh build/app/automaten build/lesson
# The window as a screen reader sees it (AT-SPI), and by keys alone.
QT_QPA_PLATFORM= ASAN_OPTIONS=detect_leaks=0 tests/access/run.sh build/app/automaten

# The web page: the same engine in WebAssembly, on Node and in Chromium.
./scripts/test-web.sh build/app/automaten-cli
