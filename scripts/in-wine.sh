#!/usr/bin/env bash
# Runs a command in a Wine session on one virtual display. NEB_XVFB_SERVER is
# the first display number tried (for sessions side by side).
#   scripts/in-wine.sh COMMAND...
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
bash "$root/scripts/wine-prefix.sh"
exec xvfb-run -a -n "${NEB_XVFB_SERVER:-99}" -s "-screen 0 1024x768x24" bash "$root/scripts/wine-session.sh" "$@"
