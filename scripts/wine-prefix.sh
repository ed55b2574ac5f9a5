#!/bin/bash
# Creates (once) the project's own Wine prefix: 64-bit, no X display needed
# (Wine's null graphics driver), so windows, timers and raw input registration
# work headless for the unit tests.
set -eu
source "$(dirname "$0")/wine-env.sh"
if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.kovi-ready" ]; then
  exit 0
fi
mkdir -p "$WINEPREFIX"
DISPLAY= "$KOVI_WINE_LOADER" wineboot -i </dev/null >/dev/null 2>&1
DISPLAY= "$KOVI_WINE_LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
  </dev/null >/dev/null 2>&1
"$KOVI_WINESERVER" -w
touch "$WINEPREFIX/.kovi-ready"
echo "wine prefix ready: $WINEPREFIX"
