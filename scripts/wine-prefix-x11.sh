#!/bin/bash
# Creates (once) the project's Wine prefix for real-display runs (the demo and
# the system tests): 64-bit, Wine's X11 graphics driver, so a program under an
# Xvfb display gets real raw mouse input from XTest motion. It lives beside the
# headless test prefix and never shares its wineserver.
set -eu
export KOVI_WINEPREFIX=${KOVI_WINEPREFIX_X11:-$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix-x11}
source "$(dirname "$0")/wine-env.sh"
if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.kovi-ready" ]; then
  exit 0
fi
mkdir -p "$WINEPREFIX"
# No display during creation: nothing is drawn, and no window may appear on a
# display that happens to be set in the caller's environment.
DISPLAY= "$KOVI_WINE_LOADER" wineboot -i </dev/null >/dev/null 2>&1
"$KOVI_WINESERVER" -w
touch "$WINEPREFIX/.kovi-ready"
echo "wine prefix ready: $WINEPREFIX"
