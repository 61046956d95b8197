#!/usr/bin/env bash
# The window's figures under X11 (Xvfb), each against a bare Qt window in the
# same run, interleaved:
#   start-up: a process that opens the window and ends at its first paint,
#     against one that opens an empty Qt window (median of ROUNDS, wall time),
#     on X11 and on Qt's offscreen platform;
#   rate: the automatic run at 500 Hz (a Turing machine counting for ever)
#     against a window whose 2 ms timer only sets a label (median of 3 runs of
#     SECONDS each).
#   scripts/bench-window.sh [ROUNDS] [SECONDS] [BUILD]
# BUILD: a build folder with the benchmarks (default build-release).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-11}
seconds=${2:-5}
build=${3:-build-release}
if [[ -z "${3:-}" ]]; then
  cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DAUTOMATEN_BENCH=ON -DAUTOMATEN_TESTS=OFF >/dev/null
  cmake --build build-release -j2 --target gui_rate_probe empty_window >/dev/null
fi
probe=$build/bench/gui_rate_probe
empty=$build/bench/empty_window
home=$(mktemp -d)  # a first start: no settings, no last program
trap 'rm -rf "$home"' EXIT

xvfb-run -a -s "-screen 0 1280x1024x24" env HOME="$home" XDG_CONFIG_HOME="$home" python3 - "$probe" "$empty" "$rounds" "$seconds" <<'EOF'
import os, statistics, subprocess, sys, time

probe, empty, rounds, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
# The X server may take its first connections late: wait for it.
for _ in range(100):
    if subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0:
        break
    time.sleep(0.1)

def startup(platform):
    def wall(command):
        start = time.perf_counter()
        subprocess.run(command, check=True, capture_output=True, env=dict(os.environ, QT_QPA_PLATFORM=platform))
        return time.perf_counter() - start
    for command in ([empty], [probe, "--startup"]):  # once each before counting: the files in the cache
        wall(command)
    window, bare = [], []
    for _ in range(rounds):
        bare.append(wall([empty]))
        window.append(wall([probe, "--startup"]))
    w, b = statistics.median(window), statistics.median(bare)
    print(f"start-up ({platform}): window {w * 1000:.1f} ms, empty Qt window {b * 1000:.1f} ms, ratio {w / b:.2f}")

startup("xcb")
startup("offscreen")

def rate(command):
    return float(subprocess.run(command, check=True, capture_output=True, text=True).stdout.split()[-1])

window, bare = [], []
for _ in range(3):
    bare.append(rate([empty, "--timer", seconds]))
    window.append(rate([probe, "--timer", seconds]))
w, b = statistics.median(window), statistics.median(bare)
print(f"500 Hz: window {w:.1f} steps/s, bare timer window {b:.1f} ticks/s, share {w / b:.3f}")
EOF
