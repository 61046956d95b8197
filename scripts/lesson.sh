#!/usr/bin/env bash
# A lesson on the real window under Xvfb, as a teacher gives it on the
# projector: a Turing program opened while another kind is chosen, both
# panes, all tests, a case put on the tape and stepped, a student's edit that breaks them, a shorter word on the
# tape, the endless run, a pane closed, the diagram on the full screen, save
# and quit. On 1024x768 and 1280x800, each at 100, 200 and 400 %; a
# screenshot after every step goes to OUTDIR, and what can be read off the
# files and the window's title is checked. Exit status 1 on a failed check.
#
#   scripts/lesson.sh [BINARY [OUTDIR]]
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$here/build-release/app/automaten}
out=${2:-$here/build-release/lesson}
mkdir -p "$out"
for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "lesson: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
[[ -x "$binary" ]] || { echo "lesson: no window program at $binary" >&2; exit 2; }

failures=0
check() {  # check NAME CONDITION-EXIT-STATUS
  if [[ "$2" != 0 ]]; then
    echo "lesson: FAILED $1" >&2
    [[ -z "${3:-}" ]] || cat "$3" >&2
    failures=$((failures + 1))
  fi
}

lesson() {  # lesson WIDTH HEIGHT ZOOM
  local width=$1 height=$2 zoom=$3 scratch name
  name="${width}x${height}-${zoom}"
  # A window that never shows is said with what the program wrote, and tried once more.
  local try
  for try in 1 2; do
  rm -f "$out/$name-"*
  scratch=$(mktemp -d -p /tmp lesson.XXXXXX)
  # The kind is in the file; the configuration says Kellerautomat.
  cat >"$scratch/anhaengen.txt" <<'EOF'
; Art: Turingmaschine
; Eine Eins anhängen, der Kopf steht danach wieder vorn.
; Test: 11 -> Wert 3
; Test: 1 -> Wert 2
A 1 -> 1 R A
A * -> 1 L 1
1 1 -> 1 L 1
1 * -> * R E
EOF
  printf '[Konfiguration]\nArbeitsmodus=3\nDatei=%s\nBand=11\nLeft=0\nTop=0\nWidth=%s\nHeight=%s\nZoom=%s\n' \
    "$scratch/anhaengen.txt" "$((width - 10))" "$((height - 40))" "$zoom" >"$scratch/automaten.ini"
  LANG=de_DE.UTF-8 TMPDIR=$scratch AUTOMATEN_CONFIG=$scratch/automaten.ini \
    xvfb-run -a -s "-screen 0 ${width}x${height}x24" bash -c '
    set -u
    binary=$1 out=$2 name=$3
    shot() { sleep 0.4; import -window root "$out/$name-$1.png"; }
    # xvfb-run may start this before the server takes connections.
    for i in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    "$binary" 2>"$out/$name-stderr.txt" & app=$!
    # A first start on a fresh machine builds the font caches first: give it a minute.
    w=
    for i in $(seq 600); do w=$(xdotool search --onlyvisible --name "^Simulation" 2>/dev/null | head -1) && [ -n "$w" ] && break; sleep 0.1; done
    if [ -z "$w" ]; then { echo "no window within 60 s"; cat "$out/$name-stderr.txt"; } >"$out/$name-title.txt"; kill "$app"; exit 1; fi
    # The first layout restores the configuration and names the kind in the title.
    for i in $(seq 600); do [ "$(xdotool getwindowname "$w")" != Simulation ] && break; sleep 0.1; done
    sleep 0.5
    xdotool windowfocus --sync "$w"; sleep 0.5
    xdotool getwindowname "$w" >"$out/$name-title.txt"
    xdotool key F4; sleep 0.3; xdotool key F3; sleep 0.3
    xdotool key ctrl+t; sleep 1.5
    # F3 gave the cases the keys: the first one on the tape, one step of it.
    xdotool key Down Return F7
    shot 1-tests
    # The student breaks the program: the results go grey at once, then run again.
    xdotool key Tab ctrl+Home
    for i in 1 2 3 4 5; do xdotool key Down; done
    xdotool key Home shift+End; xdotool type --delay 20 "A * -> * R A"
    shot 2-stale
    sleep 1.2
    shot 3-again
    # A long word on the tape, then a short one: it stays in view.
    xdotool key shift+Tab ctrl+a; xdotool type --delay 5 "111111111111111111111111111111111111111111111111111111"
    xdotool key ctrl+a; xdotool type "1"
    shot 4-tape
    xdotool key F8 F7 F7 F7
    shot 5-endless
    xdotool key F4; sleep 0.5
    shot 6-diagram-closed
    xdotool key F11; sleep 0.8
    shot 7-full-screen
    xdotool key Escape; sleep 0.5
    xdotool windowfocus --sync "$w"
    xdotool key ctrl+s; sleep 0.5
    xdotool key ctrl+e
    for i in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
  ' lesson "$binary" "$out" "$name" >/dev/null 2>&1 || true
  grep -q "^no window" "$out/$name-title.txt" || break
  echo "lesson: $name: no window within 60 s (try $try); the program wrote:" >&2
  tail -n +2 "$out/$name-title.txt" >&2
  ((try == 2)) || rm -rf "$scratch"
  done
  grep -q "Turingmaschine" "$out/$name-title.txt"
  check "$name: the file's kind is chosen at the start" $? "$out/$name-title.txt"
  [[ "$(head -1 "$scratch/anhaengen.txt" | tr -d '\r')" == "; Art: Turingmaschine" && \
     $(grep -c "^; Art:" "$scratch/anhaengen.txt") == 1 ]]
  check "$name: saved with one kind line" $? "$scratch/anhaengen.txt"
  grep -q "A \* -> \* R A" "$scratch/anhaengen.txt"
  check "$name: the student's edit saved" $? "$scratch/anhaengen.txt"
  grep -q "^Arbeitsmodus=4" "$scratch/automaten.ini" && grep -q "^Tests=1" "$scratch/automaten.ini" &&
    grep -q "^Diagramm=0" "$scratch/automaten.ini"
  check "$name: kind and panes kept for the next start" $? "$scratch/automaten.ini"
  for step in 1-tests 2-stale 3-again 4-tape 5-endless 6-diagram-closed 7-full-screen; do
    [[ -s "$out/$name-$step.png" ]]
    check "$name: screenshot $step" $?
  done
  rm -rf "$scratch"
}

for screen in ${LESSON_SCREENS:-1024x768 1280x800}; do
  for zoom in ${LESSON_ZOOMS:-100 200 400}; do
    lesson "${screen%x*}" "${screen#*x}" "$zoom"
  done
done
echo "lesson: screenshots in $out, $failures failed checks"
((failures == 0))
