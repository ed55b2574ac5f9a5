#!/bin/bash
# Holds the test prefix's desktop open for a whole CTest run (CTest's fixture
# wine_desktop): desktop_keeper.exe starts before the first Windows test and is
# ended, by its process id, after the last one. Without it, explorer.exe (the
# desktop's owner) would start with the first test that needs a window and
# quit about a second after each moment with no test running, many times in
# one run.
#   wine-desktop.sh start KEEPER_EXE STATE_DIR   start it; wait until it is ready
#   wine-desktop.sh stop STATE_DIR               end the one this run started
set -u
source "$(dirname "$0")/wine-env.sh"

start() {
  local keeper=$1 state=$2 pid tries
  mkdir -p "$state"
  if [ ! -f "$WINEPREFIX/.kovi-ready" ] && ! "$(dirname "$0")/wine-prefix.sh"; then
    return 1
  fi
  "$KOVI_WINESERVER" -p60 </dev/null >/dev/null 2>&1 || true
  # An hour at most, so a run cut short before its cleanup leaves none for long.
  # No descriptor of CTest's may reach it, or CTest would wait for it.
  "${KOVI_WINE[@]}" "$keeper" 3600 </dev/null >"$state/out" 2>"$state/err" 3>&- 4>&- 5>&- &
  pid=$!
  echo "$pid" >"$state/pid"
  for ((tries = 0; tries < 600; tries++)); do
    if grep -q "desktop_keeper: ready" "$state/out"; then
      echo "the desktop is held by process $pid"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "wine-desktop: the keeper did not get ready" >&2
  cat "$state/err" >&2
  kill "$pid" 2>/dev/null
  return 1
}

stop() {
  local state=$1 pid tries
  pid=$(cat "$state/pid" 2>/dev/null) || return 0
  rm -f "$state/pid"
  kill "$pid" 2>/dev/null || return 0
  for ((tries = 0; tries < 100; tries++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "wine-desktop: process $pid did not end" >&2
  return 1
}

usage() {
  echo "usage: wine-desktop.sh start KEEPER_EXE STATE_DIR | stop STATE_DIR" >&2
  exit 2
}

case "${1:-}:$#" in
  start:3) start "$2" "$3" ;;
  stop:2) stop "$2" ;;
  *) usage ;;
esac
