#!/usr/bin/env bash
# The benchmark of "NEB Produce Variable Data Job....": how the plug-in's own
# time grows with the number of placeholders in a publication.
#
#   scripts/bench.sh [--runs N] [--before REV] [--sizes "PAGESxPER-PAGE ..."]
#
# For every size (by default 100 and 1,000 pages of 20 placeholders: 2,000 and
# 20,000), a catalogue publication is made from the example (its fields, paper
# and printer; placeholders tied to the fields in turn), and the stand-in host
# runs start-up, command 3 (the Job Files dialog confirmed unattended) and
# shut-down under Wine, N times (default 5). The host times its own answers
# inside its call-back; the pause in which the dialog stood open is set apart;
# the rest of the command's time is the plug-in's. The table shows the median
# of each figure over the runs, and the ratio of the plug-in's time at the
# largest size to that at the smallest.
#
# With --before REV, the plug-in is also built at that commit (in
# build/bench/before) and run, alternating with this one, by the same host on
# the same publications: both sets of figures come from one run on one
# machine, and the .ddf, the PostScript and the request log of both are
# compared byte for byte. Then the core's micro-benchmark runs (building and
# writing the document definition of 20,000 areas, natively, without Wine).
# Last, the merge step merges 10,000 copies of the example card (its job made
# by the host, the customers repeated with numbers) and shows the time, the
# copies per second and the bytes per copy, beside the bytes of the master's
# pages, which the merged file holds once; then the check and the merge of
# 1,000,000 copies, with their time and peak memory, and the check and the
# PDF of the same copies from the job's record format and from a CSV export;
# then the PDF writer (scripts/bench-merge.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [ "${1:-}" = "--in-session" ]; then
  shift
  mode=session
else
  mode=main
fi

runs=5
before=""
sizes="100x20 1000x20"
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --before) before=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    *) echo "usage: scripts/bench.sh [--runs N] [--before REV] [--sizes \"PAGESxPER-PAGE ...\"]" >&2
       exit 2 ;;
  esac
done

bench="$NEB_ROOT/build/bench"
host="$NEB_ROOT/build/win32/host/pubhost.exe"

# One run of the host with a plug-in on a fresh copy of the publication; the
# command's timing line and the job's files are kept under NAME.
#   run_once SIZE-FOLDER PLUG-IN NAME
run_once() {
  local folder=$1 plugin=$2 name=$3
  cp "$folder/pristine.json" "$folder/publication.json"
  rm -f "$folder/card.ddf" "$folder/card.ps"
  wine "$host" "$(winpath "$plugin")" "$(winpath "$folder/publication.json")" \
    --ui "$(winpath "$bench/answers.txt")" --log "$(winpath "$folder/requests.log")" \
    --timing startup command:3 shutdown > "$folder/host.out"
  grep '^timing command:3:' "$folder/host.out" >> "$folder/$name.timings"
  mkdir -p "$folder/$name"
  mv "$folder/card.ddf" "$folder/card.ps" "$folder/requests.log" "$folder/$name/"
}

# The median of the numbers on standard input.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                       else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The median of one figure ("host", "plug-in"...) of a timings file.
figure() {
  sed -E "s/.* $2 ([0-9.]+)( ms)?.*/\1/" "$1" | median
}

session() {
  local plugins=(after) size folder name pages per
  # The example card's job, for the merge step.
  folder="$bench/card"
  rm -rf "$folder"
  mkdir -p "$folder"
  example_publication "$folder" > "$folder/publication.json"
  wine "$host" "$(winpath "$bench/after/nebvdata.add")" "$(winpath "$folder/publication.json")" \
    --ui "$(winpath "$bench/answers.txt")" startup command:3 shutdown > "$folder/host.out"
  [ -n "$before" ] && plugins=(before after)
  for size in $sizes; do
    pages=${size%x*}
    per=${size#*x}
    folder="$bench/$size"
    rm -rf "$folder"
    mkdir -p "$folder"
    example_publication "$folder" > "$folder/model.json"
    wine "$host" --catalogue "$(winpath "$folder/model.json")" \
      "$(winpath "$folder/pristine.json")" "$pages" "$per" > /dev/null
    for ((r = 1; r <= runs; r++)); do
      for name in "${plugins[@]}"; do
        run_once "$folder" "$bench/$name/nebvdata.add" "$name"
      done
    done
  done
}

report() {
  local plugins=(after) size folder name n first="" ratio
  [ -n "$before" ] && plugins=(before after)
  echo "benchmark: command 3, median of $runs runs, on $(nproc) cores of" \
    "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
  printf '%-7s %12s %9s %9s %10s %9s %9s %11s %14s %12s\n' plug-in placeholders requests \
    req/ph "total ms" "host ms" "dialog ms" "plug-in ms" "plug-in us/ph" plug-in/host
  for name in "${plugins[@]}"; do
    first=""
    for size in $sizes; do
      folder="$bench/$size"
      n=$(( ${size%x*} * ${size#*x} ))
      local t="$folder/$name.timings" requests total hostms dialog own
      requests=$(figure "$t" requests)
      total=$(figure "$t" total)
      hostms=$(figure "$t" host)
      dialog=$(figure "$t" windows)
      own=$(figure "$t" plug-in)
      printf '%-7s %12d %9d %9.1f %10.1f %9.1f %9.1f %11.1f %14.1f %12.2f\n' "$name" "$n" \
        "$requests" "$(echo "$requests / $n" | bc -l)" "$total" "$hostms" "$dialog" "$own" \
        "$(echo "$own * 1000 / $n" | bc -l)" "$(echo "$own / $hostms" | bc -l)"
      if [ -z "$first" ]; then
        first=$own
      else
        ratio=$(echo "$own / $first" | bc -l)
      fi
    done
    [ -n "${ratio:-}" ] && printf '%-7s plug-in time, largest size / smallest: %.2f\n' "$name" "$ratio"
  done
  if [ -n "$before" ]; then
    local same=1 file
    for size in $sizes; do
      for file in card.ddf card.ps requests.log; do
        if cmp -s "$bench/$size/before/$file" "$bench/$size/after/$file"; then
          echo "same bytes before and after: $size/$file ($(wc -c < "$bench/$size/after/$file") bytes)"
        else
          echo "DIFFERENT before and after: $size/$file"
          same=0
        fi
      done
    done
    [ $same -eq 1 ] || return 1
  fi
}

if [ $mode = session ]; then
  session
  exit 0
fi

bash scripts/setup.sh > /dev/null
install_packages bc
cd "$NEB_ROOT"
cmake --preset win32 > /dev/null
cmake --build --preset win32 --target nebvdata pubhost keepalive > /dev/null
mkdir -p "$bench/after"
cp build/win32/nebvdata.add "$bench/after/"
if [ -n "$before" ]; then
  # The earlier plug-in, built from its own sources beside this tree.
  src="$bench/before/src"
  git worktree remove --force "$src" 2> /dev/null || rm -rf "$src"
  git worktree prune
  git worktree add --detach "$src" "$before" > /dev/null
  cmake -S "$src" --preset win32 > /dev/null
  cmake --build "$src/build/win32" --target nebvdata > /dev/null
  cp "$src/build/win32/nebvdata.add" "$bench/before/"
fi
echo "dialog 1" > "$bench/answers.txt"
args=(--runs "$runs" --sizes "$sizes")
[ -n "$before" ] && args+=(--before "$before")
where_wine_runs bash scripts/in-wine.sh bash scripts/bench.sh --in-session "${args[@]}"
report

cmake --preset bench > /dev/null
cmake --build --preset bench --target docdef_bench nebmerge > /dev/null
build/bench-native/tests/bench/docdef_bench

# 10,000 customers: the example's five, numbered, over and over.
card="$bench/card"
awk 'BEGIN { RS = "\r\n\r\n"; ORS = "" }
     { copy[NR] = $0 } END { for (i = 0; i < 10000; i++) {
         c = copy[i % 5 + 1]; sub(/\r\n/, " " i + 1 "\r\n", c); print c "\r\n\r\n" } }' \
  examples/customers.txt > "$card/customers-10000.txt"
start=$(date +%s.%N)
build/bench-native/merge/nebmerge "$card/card.ddf" "$card/customers-10000.txt" \
  --out "$card/cards-10000.ps" > "$card/check.txt"
end=$(date +%s.%N)
master=$(sed -n '/^%%Page: 1 1/,/^%%Trailer/p' "$card/card.ps" | wc -c)
merged=$(wc -c < "$card/cards-10000.ps")
prolog=$(sed -n '1,/^%%EndSetup/p' "$card/cards-10000.ps" | wc -c)
echo "merge: $(tail -n 1 "$card/check.txt")"
seconds=$(echo "$end - $start" | bc -l)
printf 'merge: 10000 copies in %.2f s, %.0f copies/s\n' "$seconds" "$(echo "10000 / $seconds" | bc -l)"
printf 'merge: %d bytes: %d once (prolog with the master pages), %.0f per copy; the master pages alone take %d\n' \
  "$merged" "$prolog" "$(echo "($merged - $prolog) / 10000" | bc -l)" "$master"
grep -c "Season's Greetings" "$card/cards-10000.ps" | sed 's/^/merge: the master'"'"'s text appears /; s/$/ time(s) in the merged file/'

# 1,000,000 customers: the check and the merge read the data a copy at a time
# and write the merged file as they go, so their peak memory is that of one
# copy, whatever the count.
perl -e 'local $/ = "\r\n\r\n"; my @c = grep { /\S/ } <STDIN>;
         for my $i (0 .. 999999) { my $x = $c[$i % 5]; $x =~ s/\r\n/ @{[$i + 1]}\r\n/;
                                   $x .= "\r\n\r\n" unless $x =~ /\r\n\r\n$/; print $x }' \
  < examples/customers.txt > "$card/customers-1000000.txt"
# Runs nebmerge on the card's job and the data file with the options; says
# LABEL, the report's last line, the seconds and the peak memory.
timed_merge() {
  local label=$1 data=$2
  shift 2
  /usr/bin/time -f '%e %M' -o "$card/run.time" build/bench-native/merge/nebmerge \
    "$card/card.ddf" "$data" "$@" > "$card/run.txt"
  read -r elapsed peak < "$card/run.time"
  echo "$label: $(tail -n 1 "$card/run.txt") in $elapsed s, peak memory $((peak / 1024)) MB"
}
timed_merge check "$card/customers-1000000.txt" --check
timed_merge merge "$card/customers-1000000.txt" --out "$card/cards-1000000.ps"

# The same 1,000,000 customers as a spreadsheet's CSV export (a header row of
# the job's field names, a row each, quoted cells), checked and merged to PDF
# beside the record format: the rows are read with the CSV library, a row at
# a time.
fields=$(sed -n '/^\[DataDefinition\]/,/^\[/p' "$card/card.ddf" | awk '/ Is / && $1 !~ /^DummyNode/ {print $1}' | paste -sd,)
perl -e 'local $/ = "\r\n\r\n"; print "'"$fields"'\r\n";
         while (my $c = <STDIN>) { next unless $c =~ /\S/; $c =~ s/(\r\n)+$//;
           print join(",", map { (my $v = $_) =~ s/"/""/g; "\"$v\"" } split /\r\n/, $c), "\r\n" }' \
  < "$card/customers-1000000.txt" > "$card/customers-1000000.csv"
for data in txt csv; do
  timed_merge "$data check" "$card/customers-1000000.$data" --check
  timed_merge "$data pdf" "$card/customers-1000000.$data" --pdf "$card/cards-1000000.pdf"
done
rm -f "$card/cards-1000000.ps" "$card/cards-1000000.pdf" "$card/customers-1000000.txt" \
  "$card/customers-1000000.csv"

# The PDF writer beside the PostScript writer and the Ghostscript route.
bash scripts/bench-merge.sh "$card"
