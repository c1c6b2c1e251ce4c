#!/usr/bin/env bash
# Makes the project's Wine prefix once: 32-bit, with the fonts the dialogs use
# and no window-manager decoration (without a window manager Wine would
# otherwise stall on every hide).
set -euo pipefail
: "${WINEPREFIX:?}"
export WINEARCH=win32 WINEDEBUG=-all
if [ -f "$WINEPREFIX/.nebvdata-ready" ]; then
  exit 0
fi
echo "wine: preparing prefix $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i > /dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f > /dev/null 2>&1
wineserver -w
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in marlett.ttf tahoma.ttf tahomabd.ttf; do
  if [ -f "/usr/share/wine/fonts/$f" ]; then cp -f "/usr/share/wine/fonts/$f" "$fonts/"; fi
done
touch "$WINEPREFIX/.nebvdata-ready"
