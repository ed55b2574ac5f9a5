# Sourced by the system tests: runs the real kovi.exe (with the stand-in
# engine, plugins and application) under Wine on a private Xvfb display.
#
#   system_begin BIN_DIR WORK_DIR NAME   check the build, start the session
#   kovi_start NAME ARGS...              start kovi.exe; output in $WORK/NAME.out/.err
#   mouse_xtest RATE SECONDS             synthetic XTest motion; prints motions sent
#   mouse_inject RATE SECONDS            SendInput moves of zero distance
#   bare_count KIND RATE SECONDS         packets the bare receiver counts for that mouse
#   result_value NAME KEY                a value of the meter's result line
#   check CONDITION_TEXT COMMAND...      runs a test command; records a failure
#   system_end                           cleanup, prints the verdict, exits
KOVI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=scripts/x11-session.sh
source "$KOVI_ROOT/scripts/x11-session.sh"
export LANG=C.UTF-8
SYSTEM_FAILURES=0
# The centre of kovi's window at 96 dots per inch on the 1920-pixel screen.
POINTER_AT=960,500

system_begin() {
  BIN=$1
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
  MOUSE=$(synthetic_mouse_path) || exit 1
  kovi_session_begin 90 || exit 1
  xdotool mousemove "${POINTER_AT%,*}" "${POINTER_AT#*,}"
}

# The native synthetic mouse: the native tree's, or built here from source.
synthetic_mouse_path() {
  local built="$KOVI_ROOT/build/native/bin/synthetic_mouse" own="$KOVI_ROOT/build/system-tools/synthetic_mouse"
  if [ -n "${KOVI_SYNTHETIC_MOUSE:-}" ]; then
    echo "$KOVI_SYNTHETIC_MOUSE"
  elif [ -x "$built" ]; then
    echo "$built"
  else
    if [ ! -x "$own" ] || [ "$KOVI_ROOT/tools/synthetic_mouse/main.cc" -nt "$own" ]; then
      mkdir -p "$(dirname "$own")"
      g++ -std=c++17 -O2 -I"$KOVI_ROOT" "$KOVI_ROOT"/tools/synthetic_mouse/*.cc \
        -lXtst -lXi -lX11 -pthread -o "$own" >&2 || return 1
    fi
    echo "$own"
  fi
}

kovi_start() {
  local name=$1
  shift
  kovi_wine_start "$WORK/$name.out" "$WORK/$name.err" "$BIN/kovi.exe" "$@"
}

mouse_xtest() {
  "$MOUSE" --rate "$1" --seconds "$2" | sed -n 's/^synthetic_mouse: sent \([0-9]*\) motions.*/\1/p'
}

mouse_inject() {
  "$KOVI_WINE_LOADER" "$BIN/inject_mouse.exe" --rate "$1" --seconds "$2" </dev/null 2>/dev/null |
    sed -n 's/^inject_mouse: sent \([0-9]*\) moves.*/\1/p'
}

# Prints "SENT COUNTED" for one run of the bare receiver with the given mouse.
bare_count() {
  local kind=$1 rate=$2 seconds=$3 out="$WORK/bare-$1-$2.out" sent pid
  kovi_wine_start "$out" "$out.err" "$BIN/bare_receiver.exe" --seconds "$(awk -v s="$seconds" 'BEGIN { print s + 1.5 }')"
  pid=$KOVI_PID
  if ! kovi_wait_for_line "$out" "bare_receiver: ready" 30; then
    echo "0 0"
    return
  fi
  sent=$("mouse_$kind" "$rate" "$seconds")
  kovi_wait_pid "$pid" 30 >/dev/null
  echo "${sent:-0} $(sed -n 's/^bare_receiver: \([0-9]*\) WM_INPUT.*/\1/p' "$out")"
}

result_value() {
  grep -o "meter: result .*" "$WORK/$1.out" | tr ' ' '\n' | sed -n "s/^$2=//p"
}

check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAIL: $what"
    SYSTEM_FAILURES=$((SYSTEM_FAILURES + 1))
  fi
}

# Waits for kovi to end by itself; its exit code.
kovi_wait() {
  local code=0
  kovi_wait_pid "$1" "$2" || code=$?
  echo "$code"
}

show_run() {
  echo "--- $1: stdout"
  cat "$WORK/$1.out"
  echo "--- $1: stderr"
  cat "$WORK/$1.err"
}

system_end() {
  kovi_session_end
  if [ "$SYSTEM_FAILURES" -ne 0 ]; then
    echo "$SYSTEM_FAILURES check(s) failed"
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
