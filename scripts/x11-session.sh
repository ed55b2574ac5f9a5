# shellcheck shell=bash
# Sourced by the demo and the system tests: a private X display (Xvfb) and the
# project's X11 Wine prefix, with every process started here remembered by its
# id and ended by kovi_session_end (also on exit, through a trap).
#
#   kovi_session_begin                   start Xvfb on a free display (Xvfb picks
#                                        it, 1920x1080) and put the pointer over
#                                        the centre of kovi's window
#   kovi_set_dpi DPI                     Wine's LogPixels in the prefix
#   kovi_wine_start OUT ERR PROGRAM ARGS...   start a Windows program; sets KOVI_PID
#   kovi_wait_for_line FILE TEXT SECONDS      wait until FILE has a line containing TEXT
#   kovi_wait_pid PID SECONDS            wait for a program; its exit code, 124 on timeout
#   kovi_synthetic_mouse                 path of the native synthetic mouse (the native
#                                        tree's; that target is built if needed)
#   kovi_inject_mouse BIN_DIR RATE SECONDS    SendInput moves of zero distance
#                                        (inject_mouse.exe); prints the number sent
#   kovi_wait_until_idle FILE            until kovi's output FILE has a live line
#                                        without packets after the ones already there
#   kovi_close BIN_DIR                   WM_CLOSE to kovi's window, as its close button
#   kovi_cpu_ns PID                      on-CPU nanoseconds of all threads of a process
#   kovi_wineserver_pid                  the id of the prefix's wineserver
#   kovi_session_end                     end everything started here
KOVI_ROOT=${KOVI_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export KOVI_WINEPREFIX=${KOVI_WINEPREFIX_X11:-${KOVI_WINE_DIR:-$KOVI_ROOT/build}/wineprefix-x11}
# shellcheck source=scripts/wine-env.sh
source "$KOVI_ROOT/scripts/wine-env.sh"
KOVI_SESSION_PIDS=()
KOVI_XVFB_PID=
KOVI_SCREEN=${KOVI_SCREEN:-1920x1080x24}
# The centre of kovi's window at 96 dots per inch on the 1920-pixel screen
# (1280 by 800, centred horizontally, 100 from the top). Without a window
# manager the pointer decides which window gets the motion; the bare
# receiver's window covers the same point.
KOVI_POINTER_X=960
KOVI_POINTER_Y=500

kovi_session_begin() {
  "$KOVI_ROOT/scripts/wine-prefix.sh" x11 || return 1
  trap kovi_session_end EXIT
  # Xvfb takes a free display number itself and writes it once it accepts
  # clients, so two sessions never race for one number.
  local number_file tries=0
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$KOVI_SCREEN" -nolisten tcp -noreset 3>"$number_file" \
    >/dev/null 2>&1 &
  KOVI_XVFB_PID=$!
  until [ -n "$(tr -dc 0-9 <"$number_file")" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 "$KOVI_XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start" >&2
      rm -f "$number_file"
      return 1
    fi
    sleep 0.05
  done
  DISPLAY=":$(tr -dc 0-9 <"$number_file")"
  export DISPLAY
  rm -f "$number_file"
  xdotool mousemove "$KOVI_POINTER_X" "$KOVI_POINTER_Y"
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
  "${KOVI_WINE[@]}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1 || return 1
  # The server keeps the registry; a new one reads the new value from disk.
  "$KOVI_WINESERVER" -k >/dev/null 2>&1 || true
  "$KOVI_WINESERVER" -w >/dev/null 2>&1 || true
  echo "$dpi" >"$marker"
}

kovi_wine_start() {
  local out=$1 err=$2
  shift 2
  "${KOVI_WINE[@]}" "$@" </dev/null >"$out" 2>"$err" &
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

# The native tree's synthetic mouse; when that tree lacks it, the tree is
# configured (if need be) and only that target is built.
kovi_synthetic_mouse() {
  local tree="$KOVI_ROOT/build/native"
  if [ -n "${KOVI_SYNTHETIC_MOUSE:-}" ]; then
    echo "$KOVI_SYNTHETIC_MOUSE"
    return 0
  fi
  # Under a lock: system tests running side by side may both find it missing.
  mkdir -p "$KOVI_ROOT/build"
  (
    flock 9
    [ -x "$tree/bin/synthetic_mouse" ] && exit 0
    { [ -f "$tree/CMakeCache.txt" ] || (cd "$KOVI_ROOT" && cmake --preset native); } >&2 &&
      cmake --build "$tree" --target synthetic_mouse -j2 >&2
  ) 9>"$KOVI_ROOT/build/synthetic-mouse.lock" || return 1
  echo "$tree/bin/synthetic_mouse"
}

kovi_inject_mouse() {
  "${KOVI_WINE[@]}" "$1/inject_mouse.exe" --rate "$2" --seconds "$3" </dev/null 2>/dev/null |
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
  "${KOVI_WINE[@]}" "$1/close_window.exe" FLUTTER_RUNNER_WIN32_WINDOW kovi </dev/null \
    >/dev/null 2>&1
}

# Schedstat's first figure per thread: user and system time together, in
# nanoseconds; a process that has ended gives 0.
kovi_cpu_ns() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%.0f\n", sum }'
}

# The wineserver of the project's prefix: it works in a folder named after the
# prefix's device and inode (under a temporary folder of Wine's choosing).
kovi_wineserver_pid() {
  local device inode dir pid
  read -r device inode < <(stat -c '%d %i' "$WINEPREFIX")
  dir=$(printf 'server-%x-%x' "$device" "$inode")
  for pid in /proc/[0-9]*; do
    case "$(cat "$pid/comm" 2>/dev/null)/$(readlink "$pid/cwd" 2>/dev/null)" in
      wineserver*/*/"$dir")
        echo "${pid#/proc/}"
        return 0
        ;;
    esac
  done
  return 1
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
