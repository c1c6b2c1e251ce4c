#!/usr/bin/env bash
# The run command: builds the plug-in and the stand-in host and produces the
# variable data job of the example publication, a two-page card, as a user
# would: the host starts the plug-in on the publication, runs "NEB Produce
# Variable Data Job...." (the Job Files dialog is confirmed, and photographed,
# unattended) and shuts the plug-in down. The job lands in out/demo:
#   card.ddf             the document definition file for the merge step
#   card.ps              the publication printed to disk (checked by Ghostscript)
#   job-files-dialog.png the Job Files dialog as the user saw it
#   card.pub.json        the publication as the host saved it afterwards
#   requests.log         every request the plug-in made of the host
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
json_path() { local p; p=$(winpath "$1"); echo "${p//\\/\\\\\\\\}"; }
# The example names its files by where they lie here; the job goes to out/demo.
sed -e "s|@EXAMPLES@|$(json_path "$NEB_ROOT/examples")|" \
    -e "s|@FONTMAP@|$(json_path "$NEB_ROOT/build/win32/nebvdata.vda")|" \
    -e "s|C:\\\\\\\\Jobs\\\\\\\\Card.pub|$(json_path "$out/Card.pub")|" \
    examples/card.pub.json > "$out/card.pub.json"
echo "dialog 1 snapshot=$(winpath "$out/shot")" > "$out/answers.txt"

host=(wine "$NEB_ROOT/build/win32/host/pubhost.exe" "$(winpath "$NEB_ROOT/build/win32/nebvdata.add")"
      "$(winpath "$out/card.pub.json")" --log "$(winpath "$out/requests.log")"
      --ui "$(winpath "$out/answers.txt")" startup command:3 shutdown)
cat > "$out/run.sh" <<EOT
# Photographs the screen when the Job Files dialog says it is ready.
( for i in \$(seq 1 600); do
    if [ -f ${out@Q}/shot.ready ]; then
      xwd -root -silent > ${out@Q}/job-files-dialog.xwd
      touch ${out@Q}/shot.done
      break
    fi
    sleep 0.1
  done ) &
cd ${out@Q}
${host[*]@Q}
wait
EOT
if can_run_i386; then
  bash scripts/in-wine.sh bash "$out/run.sh"
else
  bash scripts/vm/run.sh bash scripts/in-wine.sh bash "$out/run.sh"
fi

/usr/bin/convert "xwd:$out/job-files-dialog.xwd" "$out/job-files-dialog.png"
rm -f "$out/job-files-dialog.xwd" "$out/shot.ready" "$out/shot.done"
gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage "$out/card.ps"
echo "demo: Ghostscript accepts $out/card.ps"
echo "demo: $out/card.ddf reads:"
cat "$out/card.ddf"
