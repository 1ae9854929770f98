#!/usr/bin/env bash
# run_windowed.sh WINEPREFIX PROGRAM [ARGS...]
# Runs a Windows program that makes windows, inside the X server this is started in (xvfb-run),
# with a wineserver of its own that ends with it: Wine's desktop must not outlive the display.
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all
shift
mkdir -p -- "$WINEPREFIX"
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
/usr/lib/wine/wine64 "$@"
