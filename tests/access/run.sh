#!/usr/bin/env bash
# The window's accessibility tree over AT-SPI: Xvfb, a session bus of its own
# with the accessibility bus, Qt's bridge on; then the same window by keys
# alone, on a copy of examples/teilbar-durch-3.txt. run.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$(dirname "$0")/../../examples/teilbar-durch-3.txt" "$scratch/"
export AUTOMATEN_CONFIG=$scratch/automaten.ini QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export XDG_RUNTIME_DIR=$scratch NO_AT_BRIDGE=0
xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- \
  /usr/bin/python3 "$(dirname "$0")/atspi_check.py" "$program" "$scratch/teilbar-durch-3.txt" 2> >(grep -v "^dbus-daemon\|SpiRegistry" >&2)
