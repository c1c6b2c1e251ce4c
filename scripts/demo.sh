#!/usr/bin/env bash
# The run command: builds the plug-in and the stand-in host, opens the example
# publication in the host, lists the plug-in's commands as the host reads them
# from the library, and runs the plug-in's start-up and shut-down twice: the
# data fields stored in the publication are loaded, saved back, and survive a
# restart of the host. Everything is kept in out/demo.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
bash scripts/setup.sh
cmake --preset win32 > /dev/null
cmake --build --preset win32 --target nebvdata pubhost keepalive

out="$NEB_ROOT/out/demo"
rm -rf "$out"
mkdir -p "$out"
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
# The example publication names its sample data file by where the examples lie.
examples=$(winpath "$NEB_ROOT/examples")
sed "s|@EXAMPLES@|${examples//\\/\\\\\\\\}|" examples/card.pub.json > "$out/card.pub.json"

first=(wine "$NEB_ROOT/build/win32/host/pubhost.exe" "$(winpath "$NEB_ROOT/build/win32/nebvdata.add")"
       "$(winpath "$out/card.pub.json")" --log "$(winpath "$out/requests-1.log")"
       commands startup shutdown)
second=("${first[@]:0:4}" --log "$(winpath "$out/requests-2.log")" startup shutdown strings)
cat > "$out/run.sh" <<EOT
set -e
echo "== first run of the host"
${first[*]@Q}
echo "== second run of the host, on the publication as the first run saved it"
${second[*]@Q}
EOT
if can_run_i386; then
  bash scripts/in-wine.sh bash "$out/run.sh"
else
  bash scripts/vm/run.sh bash scripts/in-wine.sh bash "$out/run.sh"
fi
echo "demo: publication $out/card.pub.json, request logs $out/requests-1.log and requests-2.log"
