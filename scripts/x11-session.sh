# Sourced by the demo and the system tests: a private X display (Xvfb) and the
# project's X11 Wine prefix, with every process started here remembered by its
# id and ended by kovi_session_end (also on exit, through a trap).
#
#   kovi_session_begin [FIRST_DISPLAY]   start Xvfb on the first free display
#                                        number from FIRST_DISPLAY (1920x1080)
#   kovi_set_dpi DPI                     Wine's LogPixels in the prefix
#   kovi_wine_start OUT ERR PROGRAM ARGS...   start a Windows program; sets KOVI_PID
#   kovi_wait_for_line FILE TEXT SECONDS      wait until FILE has a line containing TEXT
#   kovi_wait_pid PID SECONDS            wait for a program; its exit code, 124 on timeout
#   kovi_synthetic_mouse                 path of the native synthetic mouse (built if needed)
#   kovi_inject_mouse BIN_DIR RATE SECONDS    SendInput moves of zero distance
#                                        (inject_mouse.exe); prints the number sent
#   kovi_wait_until_idle FILE            until kovi's output FILE has a live line
#                                        without packets after the ones already there
#   kovi_close BIN_DIR                   WM_CLOSE to kovi's window, as its close button
#   kovi_session_end                     end everything started here
KOVI_ROOT=${KOVI_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export KOVI_WINEPREFIX=${KOVI_WINEPREFIX_X11:-$KOVI_ROOT/build/wineprefix-x11}
# shellcheck source=scripts/wine-env.sh
source "$KOVI_ROOT/scripts/wine-env.sh"
KOVI_SESSION_PIDS=()
KOVI_XVFB_PID=
KOVI_SCREEN=${KOVI_SCREEN:-1920x1080x24}

kovi_session_begin() {
  local display=${1:-90}
  "$KOVI_ROOT/scripts/wine-prefix-x11.sh" || return 1
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  trap kovi_session_end EXIT
  Xvfb ":$display" -screen 0 "$KOVI_SCREEN" -nolisten tcp -noreset >/dev/null 2>&1 &
  KOVI_XVFB_PID=$!
  export DISPLAY=":$display"
  local tries=0
  until xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$KOVI_XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start on $DISPLAY" >&2
      return 1
    fi
    sleep 0.05
  done
  # A fresh wineserver for this display: one left from another display would
  # hand out that display's desktop.
  "$KOVI_WINESERVER" -k >/dev/null 2>&1 || true
  "$KOVI_WINESERVER" -w >/dev/null 2>&1 || true
}

kovi_set_dpi() {
  local dpi=$1 marker="$WINEPREFIX/.kovi-dpi"
  if [ "$(cat "$marker" 2>/dev/null || echo 96)" = "$dpi" ]; then
    return 0
  fi
  "$KOVI_WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1 || return 1
  # The server keeps the registry; a new one reads the new value from disk.
  "$KOVI_WINESERVER" -k >/dev/null 2>&1 || true
  "$KOVI_WINESERVER" -w >/dev/null 2>&1 || true
  echo "$dpi" >"$marker"
}

kovi_wine_start() {
  local out=$1 err=$2
  shift 2
  "$KOVI_WINE_LOADER" "$@" </dev/null >"$out" 2>"$err" &
  KOVI_PID=$!
  KOVI_SESSION_PIDS+=("$KOVI_PID")
}

kovi_wait_for_line() {
  local file=$1 text=$2 seconds=$3 waited=0
  until grep -qF -- "$text" "$file" 2>/dev/null; do
    if [ "$waited" -ge $((seconds * 20)) ]; then
      return 1
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
}

kovi_wait_pid() {
  local pid=$1 seconds=$2 waited=0
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$waited" -ge $((seconds * 20)) ]; then
      return 124
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  wait "$pid"
}

# The native tree's synthetic mouse, or one built here from its sources when
# the native tree has none.
kovi_synthetic_mouse() {
  local built="$KOVI_ROOT/build/native/bin/synthetic_mouse"
  local own="$KOVI_ROOT/build/system-tools/synthetic_mouse"
  if [ -n "${KOVI_SYNTHETIC_MOUSE:-}" ]; then
    echo "$KOVI_SYNTHETIC_MOUSE"
  elif [ -x "$built" ]; then
    echo "$built"
  else
    if [ ! -x "$own" ] || [ -n "$(find "$KOVI_ROOT/tools/synthetic_mouse" -newer "$own")" ]; then
      mkdir -p "$(dirname "$own")"
      g++ -std=c++17 -O2 -I"$KOVI_ROOT" "$KOVI_ROOT"/tools/synthetic_mouse/*.cc \
        -lXtst -lXi -lX11 -pthread -o "$own" >&2 || return 1
    fi
    echo "$own"
  fi
}

kovi_inject_mouse() {
  "$KOVI_WINE_LOADER" "$1/inject_mouse.exe" --rate "$2" --seconds "$3" </dev/null 2>/dev/null |
    sed -n 's/^inject_mouse: sent \([0-9]*\) moves.*/\1/p'
}

# Kovi has counted everything that was queued for it once a whole second
# passes without packets: on a busy machine it may still be working through
# queued input when the mouse is done.
kovi_wait_until_idle() {
  local out=$1 lines waited=0
  lines=$(grep -c '^meter: [0-9]* Hz' "$out")
  until grep '^meter: [0-9]* Hz' "$out" | tail -n +$((lines + 1)) | grep -q '^meter: 0 Hz'; do
    [ $waited -lt 600 ] || return 1
    sleep 0.1
    waited=$((waited + 1))
  done
}

kovi_close() {
  "$KOVI_WINE_LOADER" "$1/close_window.exe" FLUTTER_RUNNER_WIN32_WINDOW kovi </dev/null \
    >/dev/null 2>&1
}

kovi_session_end() {
  local pid
  for pid in "${KOVI_SESSION_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  KOVI_SESSION_PIDS=()
  # The prefix is the project's own: ending its server ends every Wine helper
  # process this session started (explorer, services).
  "$KOVI_WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$KOVI_XVFB_PID" ]; then
    kill "$KOVI_XVFB_PID" 2>/dev/null || true
    wait "$KOVI_XVFB_PID" 2>/dev/null || true
    KOVI_XVFB_PID=
  fi
}
