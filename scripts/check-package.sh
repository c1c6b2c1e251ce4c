#!/usr/bin/env bash
# Checks the package a user installs from, as a user's tools would read it,
# without Windows: the zip holds exactly its files; the plug-in's version
# resource names the product and the build's version; and the help file opens
# with a CHM reader, every dialog's topic is a page of it under its title,
# every link between its pages (and every contents entry) resolves, every page
# is in the contents, and the pop-up texts are the ones the plug-in carries.
#   scripts/check-package.sh [BUILD-FOLDER]   (default build/win32)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/win32}" && pwd)
version=$(sed -n 's/^#define NEB_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/NebVersion.h")
name="nebvdata-$version-win32"
zip="$build/$name.zip"
failed=0
fail() { echo "package: $*"; failed=1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -f "$zip" ] || { echo "package: $zip was not made"; exit 1; }
listing=$(cd "$work" && cmake -E tar tf "$zip" | sort | tr '\n' ' ')
expected="$name/ $name/INSTALL.txt $name/customers.txt $name/nebvdata.add $name/nebvdata.chm $name/nebvdata.vda "
[ "$listing" = "$expected" ] || fail "the zip holds: $listing"
(cd "$work" && cmake -E tar xf "$zip")
package="$work/$name"

# The version Windows shows in the file's properties.
strings=$(wrestool -x --raw -t 16 "$package/nebvdata.add" 2>/dev/null | strings -el | tr '\n' '|')
for pair in "ProductName|NEB Variable Data" "FileVersion|$version" "ProductVersion|$version"; do
  case "$strings" in *"|$pair|"*) ;; *) fail "the version resource lacks $pair (it holds: $strings)" ;; esac
done

# The help file, read with a CHM reader.
chm="$work/chm"
mkdir -p "$chm"
chmls extractall "$package/nebvdata.chm" "$chm" > /dev/null 2>&1 || fail "chmls cannot read nebvdata.chm"
title_of() { tr '\r\n' '  ' < "$1" | sed -n 's:.*<title>\([^<]*\)</title>.*:\1:p'; }
while read -r context page title; do
  case "$context" in '' | '#'*) continue ;; esac
  if [ ! -f "$chm/$page" ]; then
    fail "context $context: no page $page in the help file"
  elif [ "$(title_of "$chm/$page")" != "$title" ]; then
    fail "context $context: $page is titled \"$(title_of "$chm/$page")\", not \"$title\""
  fi
done < "$root/plugin/help/topics.txt"
cmp -s "$chm/cshelp.txt" "$root/plugin/help/cshelp.txt" ||
  fail "the pop-up texts in the help file are not the ones the plug-in carries"
for page in "$chm"/*.htm "$chm/contents.hhc"; do
  for target in $(grep -o -i -E '(href|value)="[^"]*\.htm(#[^"]*)?"' "$page" | sed 's/^[^"]*"//; s/"$//'); do
    file=${target%%#*}
    anchor=${target#"$file"}
    if [ ! -f "$chm/$file" ]; then
      fail "$(basename "$page"): the link $target leads to no page"
    elif [ -n "$anchor" ] && ! grep -q "name=\"${anchor#\#}\"" "$chm/$file"; then
      fail "$(basename "$page"): the link $target leads to no place in $file"
    fi
  done
done
for page in "$chm"/*.htm; do
  grep -q "value=\"$(basename "$page")\"" "$chm/contents.hhc" ||
    fail "$(basename "$page") is not in the contents"
done

if [ $failed -ne 0 ]; then
  echo "package: FAILED"
  exit 1
fi
echo "package: $name.zip holds the plug-in $version, its font mapping file, its help file" \
  "($(ls "$chm"/*.htm | wc -l) pages, $(grep -c '^\.topic' "$chm/cshelp.txt") pop-ups), the sample data and the install text"
