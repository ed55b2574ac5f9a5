# shellcheck shell=bash
# shellcheck disable=SC2034 # BARE_PID, KOVI_CODE and SENT are for the tests that source this file
# Sourced by the system tests: runs the real kovi.exe (with the stand-in
# engine, plugins and application) under Wine on a private Xvfb display.
#
#   system_begin BIN_DIR WORK_DIR NAME   check the build, start the session
#   kovi_start NAME ARGS...              start kovi.exe from KOVI_DIR (BIN_DIR unless
#                                        the test sets another); output in $WORK/NAME.out/.err
#   mouse_xtest RATE SECONDS             synthetic XTest motion; prints motions sent
#   mouse_inject RATE SECONDS            SendInput moves of zero distance
#   bare_start NAME SECONDS ARGS...      a bare receiver counting; its pid in BARE_PID
#   kovi_wait PID SECONDS                wait for kovi to end: its exit code in KOVI_CODE
#   kovi_count_moves NAME SECONDS ARGS...  kovi capturing until it is closed: 1 kHz of
#                                        SendInput moves for SECONDS, then the window closed
#                                        once kovi has counted them all; the moves sent in
#                                        SENT, kovi's exit code in KOVI_CODE
#   wait_until_idle NAME                 until kovi reports a second without packets
#   close_kovi                           WM_CLOSE to kovi's window, as its close button
#   result_value NAME KEY                a value of the meter's result line
#   check CONDITION_TEXT COMMAND...      runs a test command; records a failure (checks.sh)
#   system_end                           cleanup, prints the verdict, exits
KOVI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=scripts/x11-session.sh
source "$KOVI_ROOT/scripts/x11-session.sh"
# shellcheck source=tests/support/checks.sh
source "$KOVI_ROOT/tests/support/checks.sh"
export LANG=C.UTF-8

system_begin() {
  BIN=$1
  KOVI_DIR=$1
  WORK=$2/$3
  rm -rf "$WORK"
  mkdir -p "$WORK"
  local file
  for file in kovi.exe flutter_windows.dll data/app.so bare_receiver.exe inject_mouse.exe \
      close_window.exe; do
    if [ ! -f "$BIN/$file" ]; then
      # CTest reports the test as skipped, with this reason.
      echo "skipped: $BIN/$file is missing (build the windows tree first)"
      exit 77
    fi
  done
  MOUSE=$(kovi_synthetic_mouse) || exit 1
  kovi_session_begin || exit 1
}

kovi_start() {
  local name=$1
  shift
  kovi_wine_start "$WORK/$name.out" "$WORK/$name.err" "$KOVI_DIR/kovi.exe" "$@"
}

mouse_xtest() {
  "$MOUSE" --rate "$1" --seconds "$2" | sed -n 's/^synthetic_mouse: sent \([0-9]*\) motions.*/\1/p'
}

mouse_inject() { kovi_inject_mouse "$BIN" "$1" "$2"; }

# The count a bare receiver printed.
bare_result() {
  sed -n 's/^bare_receiver: \([0-9]*\) WM_INPUT.*/\1/p' "$1"
}

# Starts a bare receiver that counts for SECONDS (its options follow); waits
# until it counts. Its pid in BARE_PID, its output in $WORK/NAME.out.
bare_start() {
  local name=$1 seconds=$2
  shift 2
  kovi_wine_start "$WORK/$name.out" "$WORK/$name.err" "$BIN/bare_receiver.exe" --seconds "$seconds" "$@"
  BARE_PID=$KOVI_PID
  kovi_wait_for_line "$WORK/$name.out" "bare_receiver: ready" 30
}

wait_until_idle() { kovi_wait_until_idle "$WORK/$1.out"; }

close_kovi() { kovi_close "$BIN"; }

result_value() {
  grep -o "meter: result .*" "$WORK/$1.out" | tr ' ' '\n' | sed -n "s/^$2=//p"
}


kovi_wait() {
  KOVI_CODE=0
  kovi_wait_pid "$1" "$2" || KOVI_CODE=$?
  normalize_line_ends
}

# The Windows programs end their lines with CR LF (text-mode streams); the
# checks compare lines without the CR.
normalize_line_ends() {
  local file
  for file in "$WORK"/*.out "$WORK"/*.err; do
    [ -f "$file" ] && sed -i 's/\r$//' "$file"
  done
}

kovi_count_moves() {
  local name=$1 seconds=$2 pid
  shift 2
  kovi_start "$name" --seconds 120 "$@"
  pid=$KOVI_PID
  SENT=0
  if kovi_wait_for_line "$WORK/$name.out" "meter: capturing" 60; then
    SENT=$(mouse_inject 1000 "$seconds")
    wait_until_idle "$name"
    close_kovi
  fi
  kovi_wait "$pid" 60
}

show_run() {
  echo "--- $1: stdout"
  cat "$WORK/$1.out"
  echo "--- $1: stderr"
  cat "$WORK/$1.err"
}

system_end() {
  kovi_session_end
  if [ "$CHECK_FAILURES" -ne 0 ]; then
    echo "$CHECK_FAILURES check(s) failed"
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
