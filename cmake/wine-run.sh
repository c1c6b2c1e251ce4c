#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, in the project's prefix.
export WINEARCH=win32
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:?the Wine prefix is set by the test script}"
exec wine "$@"
