#!/usr/bin/env bash
# Runs a command in a Wine session on one virtual display: by default CTest of
# the win32 build, which runs every Windows test. NEB_XVFB_SERVER is the first
# display number tried (for sessions side by side).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
bash "$root/scripts/wine-prefix.sh"
exec xvfb-run -a -n "${NEB_XVFB_SERVER:-99}" -s "-screen 0 1024x768x24" bash "$root/scripts/wine-session.sh" "$@"
