#!/usr/bin/env bash
# Inside the virtual display: starts one persistent wineserver and keeps it
# company with a hidden window, so that Wine's background processes never hold
# CTest's pipes; then runs the given command and stops Wine.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEARCH=win32 WINEDEBUG=-all
logs="$root/build/wine-logs/$(basename "${WINEPREFIX:-wineprefix}")"
mkdir -p "$logs"
wineserver -p > "$logs/wineserver.log" 2>&1
wine wineboot > "$logs/wineboot.log" 2>&1
wine "$root/build/win32/host/keepalive.exe" > "$logs/keepalive.log" 2>&1 &
"$@"
status=$?
wineserver -k
exit $status
