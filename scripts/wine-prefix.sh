#!/bin/bash
# Creates (once) one of the project's own Wine prefixes, 64-bit:
#   wine-prefix.sh            the test prefix (wineprefix in KOVI_WINE_DIR,
#                             default build/, scripts/wine-env.sh): Wine's null
#                             graphics driver, so windows, timers and raw input
#                             registration work without a display
#   wine-prefix.sh x11        the real-display prefix (wineprefix-x11 beside it) of
#                             the demo and the system tests: Wine's X11 driver,
#                             so a program under Xvfb gets raw input from XTest
# The two never share a wineserver. Safe to run from several processes at once
# (CTest's emulator calls it when the prefix is missing): the first one creates
# the prefix under a lock, the others wait for it.
set -eu
case ${1:-headless} in
  headless) ;;
  x11)
    root=$(cd "$(dirname "$0")/.." && pwd)
    export KOVI_WINEPREFIX=${KOVI_WINEPREFIX_X11:-${KOVI_WINE_DIR:-$root/build}/wineprefix-x11}
    ;;
  *) echo "usage: wine-prefix.sh [x11]" >&2; exit 2 ;;
esac
source "$(dirname "$0")/wine-env.sh"
ready() { [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.kovi-ready" ]; }
if ready; then
  exit 0
fi
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if ready; then
  exit 0
fi
mkdir -p "$WINEPREFIX"
# No display during creation: nothing is drawn, and no window may appear on a
# display that happens to be set in the caller's environment. Wine's processes
# must not inherit the lock: wineserver outlives this script.
DISPLAY='' "${KOVI_WINE[@]}" wineboot -i </dev/null >/dev/null 2>&1 9>&-
if [ "${1:-headless}" = headless ]; then
  DISPLAY='' "${KOVI_WINE[@]}" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
    </dev/null >/dev/null 2>&1 9>&-
fi
"$KOVI_WINESERVER" -w 9>&-
touch "$WINEPREFIX/.kovi-ready"
echo "wine prefix ready: $WINEPREFIX"
