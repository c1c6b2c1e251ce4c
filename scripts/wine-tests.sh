#!/usr/bin/env bash
# Runs the Windows tests of the win32 build under Wine on one virtual display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
bash "$root/scripts/wine-prefix.sh"
exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$root/scripts/wine-session.sh" "$@"
