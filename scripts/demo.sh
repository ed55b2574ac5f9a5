#!/bin/bash
# The demo: kovi measuring a synthetic 1000 Hz mouse, end to end.
#
# On a fresh Debian 12 machine, as root: installs what is missing, builds what
# the demo needs (the Windows tree: kovi.exe with the stand-in engine, plugins
# and application; the native tree: the synthetic mouse), starts Xvfb on a free
# display, runs kovi.exe under Wine (the project's X11 prefix) while the
# synthetic mouse moves for 5 seconds, and shows the application's live lines
# and summary. It leaves in build/demo/: the chart of the rate (rate.svg), a
# screenshot of the window (window.png), the summary (summary.json) and the
# transcript of every channel message (transcript.txt). Every process it
# started is ended when it exits; the exit code is 0 when kovi measured packets
# and ended normally.
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)
OUT="$ROOT/build/demo"
RATE=1000
MOTION_SECONDS=5

step() { echo "== $*"; }

step "installing what is missing"
scripts/install-deps.sh || exit 1

step "building the Windows tree (kovi.exe and its stand-ins)"
{ cmake --preset windows >"$ROOT/build/demo-configure-windows.log" 2>&1 &&
  cmake --build --preset windows --target kovi; } ||
  { cat "$ROOT/build/demo-configure-windows.log"; exit 1; }
step "building the native tree (the synthetic mouse)"
{ cmake --preset native >"$ROOT/build/demo-configure-native.log" 2>&1 &&
  cmake --build --preset native --target synthetic_mouse; } ||
  { cat "$ROOT/build/demo-configure-native.log"; exit 1; }

# shellcheck source=scripts/x11-session.sh
source "$ROOT/scripts/x11-session.sh"
export LANG=C.UTF-8
BIN="$ROOT/build/windows/bin"
MOUSE=$(kovi_synthetic_mouse) || exit 1
rm -rf "$OUT"
mkdir -p "$OUT"

step "starting Xvfb and the Wine prefix"
kovi_session_begin 90 || exit 1
echo "display $DISPLAY, Wine prefix $WINEPREFIX"
# The pointer over the centre of kovi's window: without a window manager the
# pointer decides which window gets the motion.
xdotool mousemove 960 500

step "running kovi.exe with a synthetic ${RATE} Hz mouse for ${MOTION_SECONDS} s"
kovi_wine_start "$OUT/kovi.out" "$OUT/kovi.err" "$BIN/kovi.exe" \
  --seconds $((MOTION_SECONDS + 1)) --summary "$OUT/summary.json" --chart "$OUT/rate.svg" \
  --transcript "$OUT/transcript.txt"
kovi_pid=$KOVI_PID
# The application's lines as they come (it ends its lines with CR LF). The
# file is polled rather than followed with tail -f: Wine's writes do not always
# reach tail's change notification.
follow_lines() {
  local file=$1 pid=$2 shown=0 total alive
  while :; do
    alive=0
    kill -0 "$pid" 2>/dev/null && alive=1
    total=$(wc -l <"$file")
    if [ "$total" -gt "$shown" ]; then
      sed -n "$((shown + 1)),${total}p" "$file" | tr -d '\r'
      shown=$total
    fi
    [ "$alive" = 1 ] || return 0
    sleep 0.2
  done
}
follow_lines "$OUT/kovi.out" "$kovi_pid" &
follower=$!
if ! kovi_wait_for_line "$OUT/kovi.out" "meter: capturing" 60; then
  echo "kovi did not start capturing; its error output:" >&2
  cat "$OUT/kovi.err" >&2
  exit 1
fi
"$MOUSE" --rate "$RATE" --seconds "$MOTION_SECONDS" &
mouse_pid=$!
KOVI_SESSION_PIDS+=("$mouse_pid")
sleep 3
window=$(xdotool search --name '^kovi$' 2>/dev/null | head -1)
if [ -n "$window" ]; then
  xwd -silent -id "$window" | convert xwd:- "$OUT/window.png"
else
  xwd -silent -root | convert xwd:- "$OUT/window.png"
fi
wait "$mouse_pid"
code=0
kovi_wait_pid "$kovi_pid" 60 || code=$?
# The follower prints what is left once kovi has ended.
wait "$follower"

step "result"
packets=$(tr -d '\r' <"$OUT/kovi.out" | grep -o 'meter: result packets=[0-9]*' | grep -o '[0-9]*$')
echo "kovi exit code $code; packets counted ${packets:-none}"
echo "left in $OUT: rate.svg (chart), window.png (screenshot), summary.json, transcript.txt"
if [ "$code" -ne 0 ] || [ "${packets:-0}" -eq 0 ]; then
  cat "$OUT/kovi.err" >&2
  exit 1
fi
exit 0
