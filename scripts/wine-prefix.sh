#!/bin/bash
# Creates (once) the project's own Wine prefix: 64-bit, no X display needed
# (Wine's null graphics driver), so windows, timers and raw input registration
# work headless for the unit tests. Safe to run from several processes at once
# (CTest's emulator calls it when the prefix is missing): the first one creates
# the prefix under a lock, the others wait for it.
set -eu
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
# Wine's processes must not inherit the lock: wineserver outlives this script.
DISPLAY= "$KOVI_WINE_LOADER" wineboot -i </dev/null >/dev/null 2>&1 9>&-
DISPLAY= "$KOVI_WINE_LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
  </dev/null >/dev/null 2>&1 9>&-
"$KOVI_WINESERVER" -w 9>&-
touch "$WINEPREFIX/.kovi-ready"
echo "wine prefix ready: $WINEPREFIX"
