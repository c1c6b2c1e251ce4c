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
# The runs are shared out over NEB_SWEEP_JOBS (default 2) Wine sessions side
# by side, each with a prefix and a virtual display of its own, so that no two
# runs share a clipboard or a window; each session takes the next run not yet
# taken. NEB_SWEEP_EVERY=K makes one failing run in K only (counted over all
# scenarios), from the one numbered NEB_SWEEP_FROM (0 to K-1); the summary
# then says which part it ran. The parts of the sweep, for a script that puts
# it beside other steps:
#   --prepare                builds what the sweep runs and empties its folder
#   --in-machine [COMMAND]   the runs, where Wine runs (here or in the test
#                            machine); the first session runs COMMAND first
#                            (the Windows tests, say) and fails when it fails
#   --judge                  judges the runs made, where jq runs fast
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
sweep="$NEB_ROOT/build/sweep"
sessions="${NEB_SWEEP_JOBS:-2}"

case "${1:-}" in
  "")
    bash "$0" --prepare || exit 1
    where_wine_runs bash "$0" --in-machine || exit 1
    exec bash "$0" --judge
    ;;
  --prepare)
    bash scripts/setup.sh --packages > /dev/null || exit 1
    cmake --preset win32 > /dev/null && cmake --build --preset win32 --target nebvdata pubhost keepalive \
      > /dev/null || exit 1
    rm -rf "$sweep"
    mkdir -p "$sweep"
    exit 0
    ;;
esac

host="$NEB_ROOT/build/win32/host/pubhost.exe"
plugin=$(winpath "$NEB_ROOT/build/win32/nebvdata.add")

# The scenarios: the publication each starts from, the answers to its
# windows and the host's steps. The publications: the example as it is, the
# example with a text block where its greeting's placeholder stands, and the
# example before any data field was defined.
scenarios=(start-up-and-shut-down command-3 command-1 command-2)
declare -A publication=([start-up-and-shut-down]=card [command-3]=card [command-1]=text-block
  [command-2]=no-fields)
declare -A answers=([start-up-and-shut-down]=no-answers [command-3]=job-files
  [command-1]=named-object [command-2]=define-fields)
declare -A steps=([start-up-and-shut-down]="startup shutdown" [command-3]="startup command:3 shutdown"
  [command-1]="startup select:2 command:1 shutdown" [command-2]="startup command:2 shutdown")

write_scenarios() {
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
}

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

# Runs a scenario once, failing request FAIL (0: none): run_scenario NAME FAIL
run_scenario() {
  local name=$1 fail=$2 dir
  dir="$sweep/$name/fail-$fail"
  [ "$fail" = 0 ] && dir="$sweep/$name/normal"
  # shellcheck disable=SC2086 # the steps are words
  run_once "$dir" "$sweep/${publication[$name]}.pub.json" "$sweep/${answers[$name]}.txt" "$fail" ${steps[$name]}
}

# The normal runs, and the list of the failing runs to make, one line each
# (scenario and request); the part made is in part.txt (one in EVERY from FROM,
# of TOTAL).
list_runs() {
  local every="${NEB_SWEEP_EVERY:-1}" from="${NEB_SWEEP_FROM:-0}" total=0 name fail count
  for name in "${scenarios[@]}"; do run_scenario "$name" 0; done
  : > "$sweep/runs.txt"
  for name in "${scenarios[@]}"; do
    [ "$(cat "$sweep/$name/normal/exit")" = 0 ] || continue
    count=$(sed -n 's/^requests answered: //p' "$sweep/$name/normal/report.txt")
    for fail in $(seq 1 "$count"); do
      [ $((total % every)) = "$from" ] && echo "$name $fail" >> "$sweep/runs.txt"
      total=$((total + 1))
    done
  done
  echo "$every $from $total" > "$sweep/part.txt"
}

# The number of the next run no session has taken yet; fails when none is left.
claim_run() {
  local next
  exec 8> "$NEB_SWEEP_QUEUE/lock"
  flock 8
  next=$(cat "$NEB_SWEEP_QUEUE/next")
  echo $((next + 1)) > "$NEB_SWEEP_QUEUE/next"
  exec 8>&-
  [ -f "$sweep/runs.txt" ] && [ "$next" -le "$(wc -l < "$sweep/runs.txt")" ] && echo "$next"
}

# One session: its COMMAND first, if any; the normal runs in the last session;
# then runs as long as any is left: worker W [COMMAND...]
worker() {
  local w=$1 n name fail
  shift
  if [ $# -gt 0 ]; then
    phase "Windows tests (beside the sweep)" "$@"
    echo $? > "$NEB_SWEEP_QUEUE/command"
  fi
  if [ "$w" = $((sessions - 1)) ]; then
    list_runs
    touch "$NEB_SWEEP_QUEUE/listed"
  fi
  # The listing session's end, whether it listed or not, ends the wait.
  until [ -f "$NEB_SWEEP_QUEUE/listed" ] || [ -f "$NEB_SWEEP_QUEUE/ended" ]; do sleep 1; done
  while n=$(claim_run); do
    read -r name fail < <(sed -n "${n}p" "$sweep/runs.txt")
    run_scenario "$name" "$fail"
  done
}

# A prefix of its own for every session but the first, copied from the
# project's, and the sessions side by side: in_machine [COMMAND...]
in_machine() {
  local base="${WINEPREFIX:-$NEB_ROOT/build/wineprefix}" w status=0
  WINEPREFIX="$base" bash scripts/wine-prefix.sh || return 1
  for w in $(seq 1 $((sessions - 1))); do
    if [ ! -f "$base-$w/.nebvdata-ready" ]; then
      rm -rf "$base-$w"
      cp -a "$base" "$base-$w"
    fi
  done
  write_scenarios
  NEB_SWEEP_QUEUE=$(mktemp -d)
  export NEB_SWEEP_QUEUE
  echo 1 > "$NEB_SWEEP_QUEUE/next"
  for w in $(seq 0 $((sessions - 1))); do
    local prefix="$base-$w" command=()
    [ "$w" = 0 ] && prefix=$base command=("$@")
    {
      WINEPREFIX="$prefix" NEB_XVFB_SERVER=$((99 + 20 * w)) \
        bash scripts/in-wine.sh bash "$0" --worker "$w" "${command[@]}"
      [ "$w" = $((sessions - 1)) ] && touch "$NEB_SWEEP_QUEUE/ended"
    } &
  done
  wait
  [ $# -gt 0 ] && status=$(cat "$NEB_SWEEP_QUEUE/command" 2>/dev/null || echo 1)
  [ -f "$NEB_SWEEP_QUEUE/listed" ] || status=1
  rm -rf "$NEB_SWEEP_QUEUE"
  return "$status"
}

# Judges every run made against its scenario's normal run.
judge_all() {
  local name normal shown= fail every from total
  if [ ! -f "$sweep/part.txt" ]; then
    echo "fault sweep: no run was made (the normal runs did not end; see build/wine-logs/)" >&2
    return 1
  fi
  for name in "${scenarios[@]}"; do
    normal="$sweep/$name/normal"
    if [ "$(cat "$normal/exit" 2>/dev/null)" != 0 ]; then
      echo "fault sweep: the normal run of $name failed:" >&2
      cat "$normal/report.txt" >&2
      crashes=$((crashes + 1))
      continue
    fi
    echo "$name: $(sed -n 's/^requests answered: //p' "$normal/report.txt") requests in the normal run" \
      "($(grep -E ': status ' "$normal/report.txt" | tr '\n' ';' | sed 's/;$//'))"
  done
  while read -r name fail; do
    [ "$name" != "$shown" ] && echo "$name:" && shown=$name
    runs=$((runs + 1))
    judge "$sweep/$name/fail-$fail" "$sweep/$name/normal" "$sweep/${publication[$name]}.pub.json" "$fail"
  done < "$sweep/runs.txt"
  read -r every from total < "$sweep/part.txt"
  local part=
  [ "$every" != 1 ] &&
    part=" (a part: one in $every of the $total, from number $from on; scripts/fault-sweep.sh alone runs all)"
  echo "fault sweep: $runs runs$part, $crashes crashes, $hangs hangs, $leaks leaked blocks," \
    "$statuses wrong statuses, $strings changed strings, $jobs unreported bad jobs" \
    "($designed differences as designed)"
  [ $((crashes + hangs + leaks + statuses + strings + jobs)) -eq 0 ]
}

case "${1:-}" in
  --worker) worker "${@:2}" ;;
  --in-machine) in_machine "${@:2}" ;;
  --judge) judge_all ;;
esac
