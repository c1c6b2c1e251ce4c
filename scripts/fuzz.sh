#!/usr/bin/env bash
# Fuzzes every reader of text that comes from outside, each for the given
# number of seconds (default 60), under AddressSanitizer and
# UndefinedBehaviorSanitizer:
#   [FUZZ_JOBS=N] scripts/fuzz.sh [seconds]
# Each program starts from its seeds in tests/fuzz/corpus/NAME and the words of
# tests/fuzz/dict/NAME.dict; what it learns is kept in build/fuzz/corpus/NAME,
# and an input that breaks a reader is written to build/fuzz/crashes/. Prints
# the runs and the corpus size of each, and fails when any program failed.
# FUZZ_JOBS runs that many programs side by side.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
seconds="${1:-60}"
install_packages clang libclang-rt-14-dev cmake ninja-build nlohmann-json3-dev googletest \
  libqpdf-dev zlib1g-dev fonts-urw-base35 libzint-dev libcsv-dev

cmake --preset fuzz > /dev/null && cmake --build --preset fuzz || exit 1
mkdir -p build/fuzz/crashes
# FUZZ_JOBS programs run side by side (default 1).
jobs_at_once="${FUZZ_JOBS:-1}"
for program in build/fuzz/tests/fuzz/fuzz_*; do
  name="${program##*/fuzz_}"
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  dict=()
  [ -f "tests/fuzz/dict/$name.dict" ] && dict=(-dict="tests/fuzz/dict/$name.dict")
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do
    wait -n
  done
  (
    "$program" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build/fuzz/crashes/$name-" "${dict[@]}" \
      "$corpus" "tests/fuzz/corpus/$name" > "build/fuzz/$name.log" 2>&1
    echo $? > "build/fuzz/$name.status"
  ) &
done
wait

failed=0
printf '%-16s %12s %8s %s\n' "reader" "runs" "corpus" "result"
for program in build/fuzz/tests/fuzz/fuzz_*; do
  name="${program##*/fuzz_}"
  log="build/fuzz/$name.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  size=$(find "build/fuzz/corpus/$name" -type f | wc -l)
  if [ "$(cat "build/fuzz/$name.status")" = 0 ]; then
    result="clean"
  else
    result="FAILED (see $log)"
    grep -E "^(property broken|SUMMARY|==[0-9]+==ERROR)" "$log" | head -3 | sed 's/^/    /'
    failed=1
  fi
  printf '%-16s %12s %8s %s\n' "$name" "${runs:-?}" "$size" "$result"
done
if [ $failed -ne 0 ]; then
  echo "fuzz: FAILED"
  exit 1
fi
echo "fuzz: every reader ran ${seconds} s without a finding"
