#!/usr/bin/env bash
# Grades a folder of submissions as a teacher's archive holds them (a name
# packed on Windows, one with a control character, one that starts like a
# formula, a faulty one, one without cases) and reads every report back with
# the tools a CI server and a spreadsheet use (read_reports.py).
set -u
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cases='; Test: 0110 -> akzeptiert
; Test: "" -> nicht akzeptiert
; Test: 1e5 -> nicht akzeptiert
'
printf '%se: a\na 0 -> a\na 1 -> a\n' "$cases" >"$(printf 'M\xfcller.txt')"
printf '%se: a\na 0 -> a\na 1 -> 1\n1 0 -> a\n' "$cases" >"$(printf 'tab\x01.txt')"
printf '%se: a\na 0 -> a\na 1 -> a\na e -> a\na 5 -> a\n' "$cases" >"=summe.txt"
printf '%sa 1 ->\n' "$cases" >"kaputt.txt"
printf 'e: a\na 0 -> a\n' >"ohne.txt"
"$cli" test --kind akz --junit report.xml --csv report.csv --csv-excel report-excel.csv \
  --summary-excel summary-excel.csv -- * >/dev/null 2>&1
status=$?
if ((status != 2)); then
  echo "reports: exit status $status, expected 2 (a faulty program)" >&2
  exit 1
fi
# Debian's interpreter, where python3-junitparser is installed.
/usr/bin/python3 "$here/read_reports.py" report.xml report.csv report-excel.csv summary-excel.csv 5
