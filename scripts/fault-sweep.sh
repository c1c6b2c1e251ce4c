#!/usr/bin/env bash
# The fault sweep: for start-up and shut-down and for each of the three
# commands, one normal run of the stand-in host records every request the
# plug-in makes; then the run is made again once per request, with that one
# request failing (the host's fault switch, pubhost --fail-request N), each in
# a host process of its own under a watchdog. Every run is judged:
#   crash     the host process died, or did not end its report
#   hang      the watchdog (60 s) ended it
#   leak      a reply block of the host's was never freed
#   status    start-up answered neither 0 nor 7212 with its error text,
#             shut-down other than 0, or a command neither 0 nor 7212
#   strings   the publication's stored strings are neither those of the normal
#             run nor those it had before
#   job       command 3 told the user nothing, yet its .ddf or PostScript is
#             missing or differs from the normal run's; two failures do this
#             as the plug-in is designed to, and are listed "as designed":
#             without the publication's path (3513) the Job Files dialog
#             offers no names and the user confirms that nothing is written;
#             without the paper (3522) the walk takes the page size for it
# Prints one line per finding and a summary; fails on any finding.
#   scripts/fault-sweep.sh
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
sweep="$NEB_ROOT/build/sweep"

if [ "${1:-}" != "--in-session" ]; then
  bash scripts/setup.sh > /dev/null || exit 1
  cmake --preset win32 > /dev/null && cmake --build --preset win32 --target nebvdata pubhost keepalive \
    > /dev/null || exit 1
  rm -rf "$sweep"
  mkdir -p "$sweep"
  if can_run_i386; then
    exec bash scripts/in-wine.sh bash "$0" --in-session
  else
    exec bash scripts/vm/run.sh bash scripts/in-wine.sh bash "$0" --in-session
  fi
fi

host="$NEB_ROOT/build/win32/host/pubhost.exe"
plugin=$(winpath "$NEB_ROOT/build/win32/nebvdata.add")

# The publications of the scenarios: the example as it is, the example with a
# text block where its greeting's placeholder stands, and the example before
# any data field was defined.
example_publication "$sweep" > "$sweep/card.pub.json"
jq '.pages |= map(.objects |= map(if .id == 2 then
      {id, number, kind: 1, bounds, text: {font: "Arial", size: 180, leading: 220, style: 2}}
    else . end))' "$sweep/card.pub.json" > "$sweep/text-block.pub.json"
jq '.privateStrings |= map(select(.index == 3))' "$sweep/card.pub.json" > "$sweep/no-fields.pub.json"
: > "$sweep/no-answers.txt"
echo "dialog 1" > "$sweep/job-files.txt"
echo "dialog 1 1051=Greeting pick=1081:0" > "$sweep/named-object.txt"
cat > "$sweep/define-fields.txt" <<EOT
openfile $(winpath "$NEB_ROOT/examples/customers.txt")
dialog 1 select=1010:51:0
dialog 1003 select=1085:0:8 stays
dialog 1 1021=Name
dialog 1087
EOT

# The plug-in's stored strings of a saved publication as one JSON object:
# "pub/INDEX" or "objID/INDEX" to the value (null when deleted), with the run's
# own folder named as the normal run's.
stored_strings() {
  jq -c 'def row(owner): select(.developer == "NEB ")
           | {key: "\(owner)/\(.index)", value: (if .deleted then null else (.value | gsub("fail-[0-9]+"; "normal")) end)};
         [(.privateStrings[]? | row("pub")),
          (.pages[].objects[] | .id as $id | .privateStrings[]? | row("obj\($id)"))] | from_entries' "$1"
}

# The strings that a run lost or changed: every string the publication held
# before, or the normal run left, of the publication or of an object it held
# before, must now be as one of the two left it.
changed_strings() {
  jq -n -c --argjson before "$(stored_strings "$1")" --argjson normal "$(stored_strings "$2")" \
    --argjson now "$(stored_strings "$3")" --argjson objects "$(jq -c '[.pages[].objects[].id]' "$1")" '
    [($before + $normal) | keys[]
     | select(startswith("pub/") or ((ltrimstr("obj") | split("/")[0] | tonumber) as $id
                                     | $objects | index($id) != null))
     | select(($now[.] // null) as $v | $v != ($before[.] // null) and $v != ($normal[.] // null))
     | "\(.): \($now[.] // "(gone)")"] | join("; ")'
}

runs=0 crashes=0 hangs=0 leaks=0 statuses=0 strings=0 jobs=0 designed=0
finding() {
  echo "  $1"
  case $2 in
    crash) crashes=$((crashes + 1)) ;; hang) hangs=$((hangs + 1)) ;;
    leak) leaks=$((leaks + 1)) ;; status) statuses=$((statuses + 1)) ;;
    strings) strings=$((strings + 1)) ;; job) jobs=$((jobs + 1)) ;;
  esac
}

# Runs the host once in a fresh folder: run_once DIR PUBLICATION ANSWERS FAIL STEP...
run_once() {
  local dir=$1 publication=$2 answers=$3 fail=$4
  shift 4
  rm -rf "$dir"
  mkdir -p "$dir"
  sed "s|$(json_path "$sweep/Card.pub")|$(json_path "$dir/Card.pub")|" "$publication" > "$dir/pub.json"
  local failing=()
  [ "$fail" -gt 0 ] && failing=(--fail-request "$fail")
  (cd "$dir" && timeout 60 wine "$host" "$plugin" "$(winpath "$dir/pub.json")" \
    --log "$(winpath "$dir/requests.log")" --ui "$(winpath "$answers")" "${failing[@]}" "$@" \
    2>&1 | tr -d '\r' > "$dir/report.txt"; exit "${PIPESTATUS[0]}")
  echo $? > "$dir/exit"
}

# Judges one failing run against the normal one: judge DIR NORMAL ORIGINAL FAIL
judge() {
  local dir=$1 normal=$2 original=$3 fail=$4 exit what
  exit=$(cat "$dir/exit")
  # The failed request as the normal run's log shows it.
  what="request $fail ($(sed -n "${fail}p" "$normal/requests.log" | cut -d' ' -f2-10))"
  if [ "$exit" = 124 ]; then
    finding "$what: the host hung" hang
    return
  fi
  if ! grep -q '^reply blocks not freed: ' "$dir/report.txt" || { [ "$exit" != 0 ] && [ "$exit" != 1 ]; }; then
    finding "$what: the host crashed (exit $exit): $(tail -1 "$dir/report.txt")" crash
    return
  fi
  if ! grep -q '^reply blocks not freed: 0$' "$dir/report.txt"; then
    finding "$what: $(grep '^reply blocks not freed' "$dir/report.txt")" leak
  fi
  local line
  while read -r line; do
    case "$line" in
      "start-up: status 0 "*) ;;
      "start-up: status 7212 "*)
        grep -q '^error text: ' "$dir/report.txt" || finding "$what: start-up failed without its error text" status ;;
      "shut-down: status 0 "*) ;;
      "command "[123]": status 0 "* | "command "[123]": status 7212 "*) ;;
      *) finding "$what: $line" status ;;
    esac
  done < <(grep -E '^(start-up|shut-down|command [0-9]+): status ' "$dir/report.txt")
  if grep -q '^shut-down: status' "$dir/report.txt"; then
    local changed
    changed=$(changed_strings "$original" "$normal/pub.json" "$dir/pub.json" | tr -d '"')
    [ -n "$changed" ] && finding "$what: stored strings lost or changed: $changed" strings
  fi
  if [ -f "$normal/card.ddf" ] && ! grep -q '^unasked: ' "$dir/report.txt" &&
    grep -q '^command 3: status 0 ' "$dir/report.txt"; then
    local file code
    code=$(sed -n "${fail}s/^request \([0-9]*\).*/\1/p" "$normal/requests.log")
    for file in card.ddf card.ps; do
      if [ ! -f "$dir/$file" ] ||
        ! cmp -s <(sed 's/fail-[0-9]*/normal/g' "$dir/$file") "$normal/$file"; then
        if [ "$code" = 3513 ] && [ ! -f "$dir/card.ddf" ] && [ ! -f "$dir/card.ps" ]; then
          echo "  $what: as designed: the Job Files dialog offered no names ($file)"
          designed=$((designed + 1))
        elif [ "$code" = 3522 ] && [ "$file" = card.ddf ]; then
          echo "  $what: as designed: the walk took the page size for the paper"
          designed=$((designed + 1))
        else
          finding "$what: command 3 told nothing, but its $file is not the job's" job
        fi
      fi
    done
  fi
}

# sweep NAME PUBLICATION ANSWERS STEP...
sweep() {
  local name=$1 publication=$2 answers=$3
  shift 3
  local normal="$sweep/$name/normal" count
  run_once "$normal" "$publication" "$answers" 0 "$@"
  if [ "$(cat "$normal/exit")" != 0 ]; then
    echo "fault sweep: the normal run of $name failed:" >&2
    cat "$normal/report.txt" >&2
    crashes=$((crashes + 1))
    return
  fi
  count=$(sed -n 's/^requests answered: //p' "$normal/report.txt")
  echo "$name: $count requests in the normal run ($(grep -E ': status ' "$normal/report.txt" | tr '\n' ';' | sed 's/;$//'))"
  local fail
  for fail in $(seq 1 "$count"); do
    run_once "$sweep/$name/fail-$fail" "$publication" "$answers" "$fail" "$@"
    runs=$((runs + 1))
    judge "$sweep/$name/fail-$fail" "$normal" "$publication" "$fail"
  done
}

sweep start-up-and-shut-down "$sweep/card.pub.json" "$sweep/no-answers.txt" startup shutdown
sweep command-3 "$sweep/card.pub.json" "$sweep/job-files.txt" startup command:3 shutdown
sweep command-1 "$sweep/text-block.pub.json" "$sweep/named-object.txt" \
  startup select:2 command:1 shutdown
sweep command-2 "$sweep/no-fields.pub.json" "$sweep/define-fields.txt" startup command:2 shutdown

echo "fault sweep: $runs runs, $crashes crashes, $hangs hangs, $leaks leaked blocks," \
  "$statuses wrong statuses, $strings changed strings, $jobs unreported bad jobs" \
  "($designed differences as designed)"
[ $((crashes + hangs + leaks + statuses + strings + jobs)) -eq 0 ]
