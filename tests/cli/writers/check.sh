#!/usr/bin/env bash
# The command line's writers on real files: a full disk (a small tmpfs where
# one can be mounted), a named pipe, a folder and a symbolic link as
# targets, a report path that names a submission, and standard output on
# /dev/full. Every old file must stay byte for byte, no temporary may be
# left, nothing may hang.
set -u
cli=$1
work=$(mktemp -d)
disk=""
cleanup() {
  [[ -n "$disk" ]] && umount "$disk" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
failures=0
check() {  # check WHAT STATUS
  if [[ "$2" != 0 ]]; then
    echo "writers: FAILED $1" >&2
    failures=$((failures + 1))
  fi
}
printf '; Test: 0 -> akzeptiert\ne: a\na 0 -> a\n' >gut.txt
printf '; Test: 1 -> akzeptiert\ne: a\na 0 -> a\n' >schlecht.txt

# A report over a submission, or over a file that is no report, is refused before grading.
cp gut.txt gut.bak
"$cli" test --kind akz --csv gut.txt gut.txt schlecht.txt >/dev/null 2>err.txt
[[ $? == 64 ]] && cmp -s gut.txt gut.bak && grep -q "eines der bewerteten Programme" err.txt
check "a report path that names a submission" $?
echo "Notizen der Lehrerin" >notizen.txt
"$cli" test --kind akz --junit notizen.txt gut.txt >/dev/null 2>err.txt
[[ $? == 64 && "$(cat notizen.txt)" == "Notizen der Lehrerin" ]] && grep -q "kein Bericht dieser Art" err.txt
check "a file that is no report" $?
# The same kind of report is replaced, whole.
"$cli" test --kind akz --junit bericht.xml gut.txt >/dev/null 2>&1
"$cli" test --kind akz --junit bericht.xml schlecht.txt >/dev/null 2>&1
[[ $? == 1 ]] && grep -q "schlecht" bericht.xml && ! grep -q "gut.txt" bericht.xml
check "a report replaced by the next" $?

# A named pipe and a folder are refused at once; a symbolic link is replaced, not followed.
mkfifo pipe.xml
timeout 10 "$cli" test --kind akz --junit pipe.xml gut.txt >/dev/null 2>err.txt
[[ $? == 66 && -p pipe.xml ]] && grep -q "keine gewöhnliche Datei" err.txt
check "a named pipe as the report" $?
mkdir ordner.svg
timeout 10 "$cli" --kind akz --example --diagram ordner.svg >/dev/null 2>err.txt
[[ $? == 66 ]] && grep -q "ein Ordner" err.txt
check "a folder as the diagram" $?
echo "fremd" >opfer.csv
ln -s opfer.csv link.csv
"$cli" test --kind akz --csv link.csv gut.txt >/dev/null 2>&1
[[ "$(cat opfer.csv)" == "fremd" && -f link.csv && ! -L link.csv ]]
check "a symbolic link replaced, not written through" $?

# Standard output on a full device: the reason and exit 74.
for args in "--kind dea --example" "test --kind akz gut.txt" "convert --kind nea /dev/null"; do
  # shellcheck disable=SC2086
  "$cli" $args >/dev/full 2>err.txt
  status=$?
  [[ $status == 74 ]] && grep -q "Standardausgabe kann nicht geschrieben werden: kein Platz" err.txt
  check "standard output on /dev/full: $args (exit $status)" $?
done

# A diagram Graphviz takes minutes for (256 states): exit 65 after the time given, nothing written.
printf 'A 0 -> A\nA 1 -> A\nA 1 -> 1\n1 0 -> 2\n1 1 -> 2\n2 0 -> 3\n2 1 -> 3\n3 0 -> 4\n3 1 -> 4\n4 0 -> 5\n4 1 -> 5\n5 0 -> 6\n5 1 -> 6\n6 0 -> 7\n6 1 -> 7\n7 0 -> E\n7 1 -> E\n' >nea.txt
"$cli" convert --kind nea nea.txt >akz256.txt 2>/dev/null
start=$(date +%s)
timeout 30 "$cli" --kind akz --layout-time 1 --diagram gross.svg akz256.txt >/dev/null 2>err.txt
status=$?
[[ $status == 65 && ! -e gross.svg && $(($(date +%s) - start)) -le 5 ]] && grep -q "länger als 1 s" err.txt
check "a layout past --layout-time (exit $status)" $?

# A full disk: the old report stays byte for byte and no temporary is left.
mkdir voll
if mount -t tmpfs -o size=64k tmpfs voll 2>/dev/null; then
  disk="$work/voll"
  "$cli" test --kind akz --junit voll/alt.xml gut.txt >/dev/null 2>&1
  cp voll/alt.xml alt.bak
  head -c 1M /dev/zero >voll/fueller 2>/dev/null
  many=()
  for i in $(seq 200); do many+=(gut.txt); done
  "$cli" test --kind akz --junit voll/alt.xml "${many[@]}" >/dev/null 2>err.txt
  status=$?
  [[ $status == 66 ]] && cmp -s voll/alt.xml alt.bak && grep -q "kein Platz" err.txt &&
    [[ -z "$(ls -A voll | grep -v -e '^alt.xml$' -e '^fueller$')" ]]
  check "a full disk keeps the old report (exit $status)" $?
  "$cli" --kind akz --example --diagram voll/neu.png >/dev/null 2>&1
  [[ $? == 66 && ! -e voll/neu.png && -z "$(ls -A voll | grep '^\.automaten')" ]]
  check "a full disk leaves no diagram and no temporary" $?
else
  echo "writers: no tmpfs can be mounted here; the full disk is not tried" >&2
fi

echo "writers: $failures failed checks"
((failures == 0))
