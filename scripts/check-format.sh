#!/usr/bin/env bash
# Checks that every C++ file of the project is formatted with the repository's
# .clang-format; names the files that are not.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! clang-format --dry-run --Werror "${files[@]}" 2> "$log"; then
  grep -o '^[^:]*\.\(cpp\|h\):' "$log" | sort -u | sed 's/:$//; s/^/format: not formatted: /'
  echo "format: FAILED (run: clang-format -i on the files named)"
  exit 1
fi
echo "format: every file follows .clang-format"
