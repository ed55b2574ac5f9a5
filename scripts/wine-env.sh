# shellcheck shell=bash
# shellcheck disable=SC2034 # KOVI_WINE is for the scripts that source this file
# Sourced by the project's scripts: the project's own Wine prefix and commands.
# The prefixes live in KOVI_WINE_DIR (default: the build folder; each Windows
# tree's tests use prefixes of that tree's own, so two trees' tests can run at
# once); KOVI_WINEPREFIX may name another prefix.
KOVI_ROOT=${KOVI_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]:-$0}")/.." && pwd)}
export KOVI_WINE_DIR=${KOVI_WINE_DIR:-$KOVI_ROOT/build}
export WINEPREFIX=${KOVI_WINEPREFIX:-$KOVI_WINE_DIR/wineprefix}
export WINEARCH=win64
# -all keeps Debian's wine quiet about the missing 32-bit loader; err+module
# still reports a DLL that cannot be loaded.
export WINEDEBUG=${WINEDEBUG:--all,err+module}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The server is on the PATH (Debian's alternatives: wineserver, or
# wineserver-stable); the 64-bit loader is the wine64 beside the server's real
# file (Debian's /usr/bin/wine is a wrapper that insists on wine32), or one on
# the PATH. WINELOADER, when it names a program, wins.
KOVI_WINESERVER=$(command -v wineserver || command -v wineserver-stable || echo wineserver)
KOVI_WINE_LOADER=${WINELOADER:-}
if [ ! -x "$KOVI_WINE_LOADER" ]; then
  KOVI_WINE_LOADER="$(dirname "$(readlink -f "$KOVI_WINESERVER")")/wine64"
fi
if [ ! -x "$KOVI_WINE_LOADER" ]; then
  KOVI_WINE_LOADER=$(command -v wine64 || echo wine64)
fi
# KOVI_WINE runs a Windows program: the loader without address-space
# randomisation. Debian's Wine has no preloader to reserve the fixed addresses
# Wine needs before the system's loader places libraries and the stack, so now
# and then a randomised layout takes one and the program ends at once with exit
# code 1 ("failed to map the shared user data", shown only with err+virtual).
# Wine's own processes (explorer, services) inherit the fixed layout.
if setarch "$(uname -m)" -R true 2>/dev/null; then
  KOVI_WINE=(setarch "$(uname -m)" -R "$KOVI_WINE_LOADER")
else
  KOVI_WINE=("$KOVI_WINE_LOADER")
fi
export WINELOADER=$KOVI_WINE_LOADER
export WINESERVER=$KOVI_WINESERVER
