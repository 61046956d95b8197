#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/automaten-format.$$; then
  echo "format: these files are not formatted:" >&2
  grep -E '^[^ ].*: (error|warning):' /tmp/automaten-format.$$ | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
  rm -f /tmp/automaten-format.$$
  echo "format: fix them with: git ls-files '*.cpp' '*.h' | xargs clang-format -i" >&2
  exit 1
fi
rm -f /tmp/automaten-format.$$
