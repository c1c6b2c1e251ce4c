#!/usr/bin/env bash
# The run command: builds the plug-in and the stand-in host, opens the example
# publication in the host, lists the plug-in's commands as the host reads them
# from the library, and runs the plug-in's start-up and shut-down. What the
# plug-in answered is printed; the host's request log is kept in out/demo.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
bash scripts/setup.sh
cmake --preset win32 > /dev/null
cmake --build --preset win32 --target nebvdata pubhost keepalive

out="$NEB_ROOT/out/demo"
mkdir -p "$out"
cp examples/card.pub.json "$out/card.pub.json"
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }

step=(wine "$NEB_ROOT/build/win32/host/pubhost.exe" "$(winpath "$NEB_ROOT/build/win32/nebvdata.add")"
      "$(winpath "$out/card.pub.json")" --log "$(winpath "$out/requests.log")"
      commands startup shutdown)
if can_run_i386; then
  bash scripts/in-wine.sh "${step[@]}"
else
  bash scripts/vm/run.sh bash scripts/in-wine.sh "${step[@]}"
fi
echo "demo: the host's request log is $out/requests.log"
