#!/bin/bash
# Runs one Windows program under the project's Wine prefix; CTest's emulator.
# Wine's helper processes (wineserver, services, explorer) inherit the standard
# streams and outlive the program, which would keep CTest waiting on the pipe:
# the program's output goes to temporary files and is replayed afterwards, and
# a persistent wineserver is started so each run stays fast. The project's
# prefix is created on first use; its messages go to stderr, since CTest reads
# the test list from a program's standard output.
set -u
source "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/.kovi-ready" ] && ! "$(dirname "$0")/wine-prefix.sh" >&2; then
  echo "wine-run: could not create the Wine prefix at $WINEPREFIX" >&2
  exit 2
fi
"$KOVI_WINESERVER" -p60 </dev/null >/dev/null 2>&1 || true
out=$(mktemp) err=$(mktemp)
"${KOVI_WINE[@]}" "$@" </dev/null >"$out" 2>"$err" 3>&- 4>&- 5>&-
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
# A program that fails without a word (a process Wine could not start or that
# was ended from outside) still says how it ended.
if [ $rc -ne 0 ]; then
  echo "wine-run: $1 ended with exit code $rc" >&2
fi
exit $rc
