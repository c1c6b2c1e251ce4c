#!/usr/bin/env bash
# The one test command: installs what is missing, builds both presets, runs
# the core tests under the sanitizers and every Windows test under Wine.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
bash scripts/setup.sh || exit 1

failed=0
echo "== layers and formatting"
bash scripts/check-layers.sh || failed=1
bash scripts/check-format.sh || failed=1

echo "== native: core under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native > /dev/null && cmake --build --preset native || exit 1
ctest --preset native --no-tests=error || failed=1

echo "== bench: the core's micro-benchmark builds and runs (briefly)"
cmake --preset bench > /dev/null && cmake --build --preset bench || exit 1
build/bench-native/tests/bench/docdef_bench --benchmark_min_time=0.01 > /dev/null || failed=1

echo "== fuzz: every reader of outside text, 20 s each"
bash scripts/fuzz.sh 20 || failed=1

echo "== win32: plug-in, stand-in host and tests under Wine"
cmake --preset win32 > /dev/null && cmake --build --preset win32 || exit 1
if can_run_i386; then
  bash scripts/in-wine.sh || failed=1
else
  bash scripts/vm/run.sh bash scripts/in-wine.sh || failed=1
fi

echo "== fault sweep: every host request of start-up, shut-down and the commands failed in turn"
bash scripts/fault-sweep.sh || failed=1

if [ $failed -ne 0 ]; then
  echo "test: FAILED"
  exit 1
fi
echo "test: all passed"
