#!/usr/bin/env bash
# Takes docs/screenshot.png: the window under Xvfb after the Turing machine
# example has run to its end (menu "Automatenbeispiele", F8, then F7 steps).
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build-release/app/automaten}
out=${2:-docs/screenshot.png}
mkdir -p "$(dirname "$out")"
export LANG=de_DE.UTF-8 TMPDIR=$(mktemp -d)
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  '$binary' &
  app=\$!
  for i in \$(seq 50); do w=\$(xdotool search --name Simulation 2>/dev/null | head -1) && [ -n \"\$w\" ] && break; sleep 0.1; done
  xdotool windowfocus \$w; xdotool windowsize \$w 760 470; sleep 0.5
  xdotool key alt+a; sleep 0.2; xdotool key t; sleep 0.3
  xdotool key F8; sleep 0.2
  for i in \$(seq 14); do xdotool key F7; sleep 0.1; done
  sleep 0.5
  import -window \$w '$out'
  kill \$app
"
rm -rf "$TMPDIR"
echo "wrote $out"
