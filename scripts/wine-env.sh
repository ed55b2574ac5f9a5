# Sourced by the project's scripts: the project's own Wine prefix and commands.
# KOVI_WINEPREFIX may name another prefix; the default lives in the build folder.
KOVI_ROOT=${KOVI_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]:-$0}")/.." && pwd)}
export WINEPREFIX=${KOVI_WINEPREFIX:-$KOVI_ROOT/build/wineprefix}
export WINEARCH=win64
# -all keeps Debian's wine quiet about the missing 32-bit loader; err+module
# still reports a DLL that cannot be loaded.
export WINEDEBUG=${WINEDEBUG:--all,err+module}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
KOVI_WINE_LOADER=/usr/lib/wine/wine64
if command -v wineserver >/dev/null 2>&1; then
  KOVI_WINESERVER=wineserver
elif [ -x /usr/lib/wine/wineserver64 ]; then
  KOVI_WINESERVER=/usr/lib/wine/wineserver64
else
  KOVI_WINESERVER=wineserver-stable
fi
export WINELOADER=$KOVI_WINE_LOADER
export WINESERVER=$KOVI_WINESERVER
