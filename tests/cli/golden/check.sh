#!/usr/bin/env bash
# Runs automaten-cli on every line of `cases` and compares standard output,
# standard error and the exit status with what was recorded in expected/.
# A line: the case name, then the arguments; @NAME is a file in programs/.
set -u
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
got=$(mktemp -d)
trap 'rm -rf "$got"' EXIT
failed=0
while read -r name rest; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  eval "set -- $rest"
  args=()
  for a in "$@"; do [[ "$a" == @* ]] && a="$here/programs/${a#@}"; args+=("$a"); done
  "$cli" "${args[@]}" >"$got/$name.out" 2>"$got/$name.err" </dev/null
  echo "exit $?" >>"$got/$name.err"
  for part in out err; do
    if ! cmp -s "$here/expected/$name.$part" "$got/$name.$part"; then
      echo "golden: $name.$part differs" >&2
      diff "$here/expected/$name.$part" "$got/$name.$part" | head -10 >&2
      failed=$((failed + 1))
    fi
  done
done <"$here/cases"
echo "golden: $failed differences"
((failed == 0))
