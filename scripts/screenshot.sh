#!/usr/bin/env bash
# Takes a screenshot of the window under Xvfb after the Turing machine
# example has run to its end (menu "Automatenbeispiele", F8, then F7 steps).
# screenshot.sh [BINARY] [OUT] [ZOOM]: at a zoom other than 100 % the window
# is larger.
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build-release/app/automaten}
out=${2:-docs/screenshot.png}
zoom=${3:-100}
size="760 470"
((zoom != 100)) && size="1000 720"
mkdir -p "$(dirname "$out")"
scratch=$(mktemp -d)
printf '[Konfiguration]\nLeft=0\nTop=0\nWidth=%s\nHeight=%s\nZoom=%s\n' ${size% *} ${size#* } "$zoom" >"$scratch/automaten.ini"
export LANG=de_DE.UTF-8 TMPDIR=$scratch AUTOMATEN_CONFIG=$scratch/automaten.ini
xvfb-run -a -s "-screen 0 1280x900x24" bash -c "
  '$binary' &
  app=\$!
  for i in \$(seq 100); do w=\$(xdotool search --onlyvisible --name Simulation 2>/dev/null | head -1) && [ -n \"\$w\" ] && break; sleep 0.1; done
  xdotool windowfocus --sync \$w; sleep 1
  xdotool key alt+a; sleep 0.2; xdotool key t; sleep 0.3
  xdotool key F8; sleep 0.2
  for i in \$(seq 14); do xdotool key F7; sleep 0.1; done
  sleep 0.5
  import -window \$w '$out'
  kill \$app
"
rm -rf "$scratch"
echo "wrote $out"
