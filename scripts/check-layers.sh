#!/usr/bin/env bash
# Checks that every #include of the project's own headers follows the layer
# table in the README: a folder includes its own files and those of the
# folders (or single headers) its row names, nothing else. A row may name a
# sub-folder (`plugin/channel/`); a file belongs to the deepest row that holds
# it, and a row's `folder/` allows that folder and every sub-folder in it. A
# source folder without a row fails too, so that no new folder escapes the
# table; files not yet added to git are checked too. The platform-independent
# core (core/) includes no system header but the C++ standard library's (no
# Windows header), and no file anywhere names a project folder in an
# angle-bracket include, which would pass by the table.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# The rows of the table between the README's layer markers:
# "| `folder/` | `allowed/`, `allowed/File.h` |", "—" for nothing, "*" for anything.
declare -A allowed
while IFS= read -r row; do
  folder=$(echo "$row" | cut -d'|' -f2 | tr -d ' `'); folder=${folder%/}
  rest=$(echo "$row" | cut -d'|' -f3 | grep -o '`[^`]*`' | tr -d '`' | tr '\n' ' ')
  allowed[$folder]="$rest"
done < <(sed -n '/<!-- layers -->/,/<!-- \/layers -->/p' README.md | grep '^| `')

if [ ${#allowed[@]} -eq 0 ]; then
  echo "layers: no layer table found in README.md" >&2
  exit 1
fi

# The folders at the top that the table's rows are in.
tops=" "
for folder in "${!allowed[@]}"; do
  [[ $tops == *" ${folder%%/*} "* ]] || tops+="${folder%%/*} "
done

# The deepest row that holds the path; its first folder when none does.
row_of() {
  local path=$1 best=""
  for folder in "${!allowed[@]}"; do
    if [[ $path == "$folder"/* && ${#folder} -gt ${#best} ]]; then
      best=$folder
    fi
  done
  echo "${best:-${path%%/*}}"
}

failed=0
while IFS= read -r file; do
  folder=$(row_of "$file")
  while IFS=: read -r line target; do
    if [[ $tops == *" ${target%%/*} "* && $target == */* ]]; then
      echo "layers: $file:$line includes <$target>: a project header, to be included with quotes"
      failed=1
    elif [ "$folder" = core ] && [[ $target == *.* ]]; then
      echo "layers: $file:$line includes <$target>, which core/ may not: no system header in the core"
      failed=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' "$file" |
           sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]*)>.*/\1:\2/')
  if [ -z "${allowed[$folder]+set}" ]; then
    echo "layers: $file: folder $folder/ has no row in the README's layer table"
    failed=1
    continue
  fi
  rules=" ${allowed[$folder]} "
  [[ $rules == *" * "* ]] && continue
  while IFS=: read -r line target; do
    case $target in
      */*) ;;
      *) continue ;; # a file of the same folder
    esac
    target_folder=$(row_of "$target")
    if [ "$target_folder" = "$folder" ] || [[ $rules == *" $target "* ]]; then
      continue
    fi
    # A row's folder/ allows the folder and what is under it.
    within=0
    for rule in $rules; do
      if [[ $rule == */ && ( $target_folder/ == "$rule" || $target_folder/ == "$rule"* ) ]]; then
        within=1
      fi
    done
    [ $within -eq 1 ] && continue
    echo "layers: $file:$line includes $target, which $folder/ may not"
    failed=1
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1:\2/')
done < <({ git ls-files '*.h' '*.cpp' '*.rc'; git ls-files --others --exclude-standard '*.h' '*.cpp' '*.rc'; } | grep '/')

if [ $failed -ne 0 ]; then
  echo "layers: FAILED (the table is in README.md)"
  exit 1
fi
echo "layers: every include follows the table"
