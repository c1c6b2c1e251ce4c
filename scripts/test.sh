#!/usr/bin/env bash
# The one test command: installs what is missing, builds the presets, runs the
# core tests under the sanitizers, the fuzz programs, every Windows test under
# Wine and the fault sweep, and ends with a table of its phases and their times.
# Where this machine cannot run 32-bit programs, the Windows tests and the
# sweep run in one boot of the test machine, and the sweep runs a part of its
# runs, chosen by the commit (scripts/fault-sweep.sh alone runs them all).
#   scripts/test.sh
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"

# The phases that need Wine, where it runs (here or in the test machine): the
# Windows tests in one Wine session while the fault sweep's runs start in
# another, which the first joins when the tests are done.
both="Windows tests and sweep runs, side by side"
if [ "${1:-}" = "--windows" ]; then
  phase "$both" bash scripts/fault-sweep.sh --in-machine \
    ctest --test-dir "$NEB_ROOT/build/win32" --output-on-failure --no-tests=error
  exit
fi

started=$(date +%s)
mkdir -p build
export NEB_PHASES="$NEB_ROOT/build/test-phases.tsv"
: > "$NEB_PHASES"
# Ends the command with the table of its phases and the verdict: finish STATUS
finish() {
  # The image's build is never left running on its own.
  [ -n "${image:-}" ] && wait "$image"
  echo "== where the time went"
  print_phases $(($(date +%s) - started))
  if [ "$1" -ne 0 ]; then
    echo "test: FAILED"
    exit 1
  fi
  echo "test: all passed"
  exit 0
}

phase "packages" bash scripts/setup.sh --packages || finish 1
# The test machine's image is built (when it is not cached) beside the native
# phases: it mostly waits on the disk and the network.
if ! can_run_i386; then
  mkdir -p build/vm
  phase "test machine image (beside the native phases)" bash scripts/vm/build-image.sh \
    > build/vm/image.log 2>&1 &
  image=$!
fi

failed=0
echo "== layers and formatting"
phase "layers and formatting" bash -c 'bash scripts/check-layers.sh; s=$?; bash scripts/check-format.sh && exit $s' ||
  failed=1

echo "== native: core under AddressSanitizer and UndefinedBehaviorSanitizer"
phase "build native" bash -c 'cmake --preset native > /dev/null && cmake --build --preset native' || finish 1
phase "native tests" ctest --preset native --no-tests=error -j 2 || failed=1

echo "== bench: the core's micro-benchmark builds and runs (briefly)"
phase "build bench" bash -c 'cmake --preset bench > /dev/null && cmake --build --preset bench' || finish 1
phase "bench check" bash -c 'build/bench-native/tests/bench/docdef_bench --benchmark_min_time=0.01 > /dev/null' ||
  failed=1

echo "== fuzz: every reader of outside text, 20 s each, two at a time"
phase "build fuzz" bash -c 'cmake --preset fuzz > /dev/null && cmake --build --preset fuzz' || finish 1
phase "fuzz" env FUZZ_JOBS=2 bash scripts/fuzz.sh 20 || failed=1

echo "== win32: plug-in, stand-in host and tests under Wine, then the fault sweep"
phase "build win32" bash -c 'cmake --preset win32 > /dev/null && cmake --build --preset win32' || finish 1
phase "package and its help file" bash scripts/check-package.sh || failed=1
phase "fault sweep: preparation" bash scripts/fault-sweep.sh --prepare || finish 1
if can_run_i386; then
  bash scripts/test.sh --windows || failed=1
else
  # Under emulation a sweep run costs seconds: the test command makes one in
  # NEB_SWEEP_EVERY of them, the part chosen by the commit, so that successive
  # commits cover them all.
  if [ -z "${NEB_SWEEP_EVERY:-}" ]; then
    export NEB_SWEEP_EVERY=3
    commit=$(git rev-parse --short=7 HEAD 2>/dev/null) || commit=0
    export NEB_SWEEP_FROM=$((0x$commit % NEB_SWEEP_EVERY))
  fi
  wait "$image" || { image=; cat build/vm/image.log; finish 1; }
  image=
  machine=$(date +%s)
  bash scripts/vm/run.sh bash scripts/test.sh --windows || failed=1
  inside=$(awk -F'\t' -v name="$both" '$1 == name { s = $2 } END { print s + 0 }' "$NEB_PHASES")
  printf 'test machine: boot and shut-down\t%s\t0\n' $(($(date +%s) - machine - inside)) >> "$NEB_PHASES"
fi
phase "fault sweep: judging" bash scripts/fault-sweep.sh --judge || failed=1

finish $failed
