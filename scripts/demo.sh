#!/bin/bash
# The demo: kovi measuring a synthetic mouse, end to end.
#
#   scripts/demo.sh [--hz 125..8000] [--seconds 1..600] [--input sendinput|xtest]
#
# By default 1000 Hz of SendInput moves for 5 seconds (tools/inject_mouse),
# which lose nothing: the result sets the moves sent beside the packets
# counted, and they must match. --input xtest sends XTest motion instead (the
# native tree's synthetic mouse), as a real mouse's would come through Xvfb
# and Wine's X11 driver; the driver merges motion when it lags, so kovi counts
# fewer packets than were sent on a busy machine, and the result says why.
#
# On a fresh Debian 12 machine, as root: reads its options first (a bad one
# gives one line of usage and exit code 2, before anything else), installs what
# is missing, builds what the demo needs (the Windows tree: kovi.exe with the
# stand-in engine, plugins and application, and the SendInput tools; for XTest
# the native tree's synthetic mouse), starts Xvfb on a free display, runs
# kovi.exe under Wine (the project's X11 prefix) while the mouse moves, and
# shows the application's live lines and summary. Build output goes to logs in
# build/. It leaves in build/demo/: the chart of the rate (rate.svg), a
# screenshot of the window (window.png), the summary (summary.json) and the
# transcript of every channel message (transcript.txt). Every process it
# started is ended when it exits; the exit code is 0 when kovi measured packets
# (with SendInput: every move sent) and ended normally.
set -u
cd "$(dirname "$0")/.." || exit 1
ROOT=$(pwd)
# shellcheck source=scripts/demo-options.sh
source "$ROOT/scripts/demo-options.sh"
demo_parse_options "$@" || exit 2
OUT="$ROOT/build/demo"
BIN="$ROOT/build/windows/bin"

step() { echo "== $*"; }

# Configures and builds targets of one tree, with the output in a log that is
# shown when a step fails.
build_tree() {
  local preset=$1 log="$ROOT/build/demo-build-$1.log"
  shift
  echo "(log: $log)"
  { cmake --preset "$preset" && cmake --build --preset "$preset" --target "$@"; } >"$log" 2>&1 ||
    { tail -n 60 "$log"; return 1; }
}

step "installing what is missing"
scripts/install-deps.sh || exit 1
mkdir -p "$ROOT/build"

if [ "$DEMO_INPUT" = sendinput ]; then
  step "building the Windows tree (kovi.exe, its stand-ins and the SendInput tools)"
  build_tree windows kovi inject_mouse close_window || exit 1
else
  step "building the Windows tree (kovi.exe and its stand-ins)"
  build_tree windows kovi || exit 1
  step "building the native tree (the synthetic mouse)"
  build_tree native synthetic_mouse || exit 1
fi

# shellcheck source=scripts/x11-session.sh
source "$ROOT/scripts/x11-session.sh"
export LANG=C.UTF-8
if [ "$DEMO_INPUT" = xtest ]; then
  MOUSE=$(kovi_synthetic_mouse) || exit 1
fi
rm -rf "$OUT"
mkdir -p "$OUT"

step "starting Xvfb and the Wine prefix"
kovi_session_begin || exit 1
echo "display $DISPLAY, Wine prefix $WINEPREFIX"

# XTest: kovi's capture ends on its own timer, a second after the motion.
# SendInput: every move must be counted, so kovi captures until its window is
# closed, once it has worked through all queued input (a stop on a timer could
# overtake input still queued).
if [ "$DEMO_INPUT" = xtest ]; then
  capture_seconds=$((DEMO_SECONDS + 1))
  step "running kovi.exe with ${DEMO_HZ} Hz of XTest motion for ${DEMO_SECONDS} s"
else
  capture_seconds=$((DEMO_SECONDS + 120))
  step "running kovi.exe with ${DEMO_HZ} Hz of SendInput moves for ${DEMO_SECONDS} s"
fi
kovi_wine_start "$OUT/kovi.out" "$OUT/kovi.err" "$BIN/kovi.exe" \
  --seconds "$capture_seconds" --summary "$OUT/summary.json" --chart "$OUT/rate.svg" \
  --transcript "$OUT/transcript.txt"
kovi_pid=$KOVI_PID
# The application's lines as they come (it ends its lines with CR LF), but for
# its machine-readable result line, whose figures the result below states. The
# file is polled rather than followed with tail -f: Wine's writes do not always
# reach tail's change notification.
follow_lines() {
  local file=$1 pid=$2 shown=0 total alive
  while :; do
    alive=0
    kill -0 "$pid" 2>/dev/null && alive=1
    total=$(wc -l <"$file")
    if [ "$total" -gt "$shown" ]; then
      sed -n "$((shown + 1)),${total}p" "$file" | tr -d '\r' | grep -v '^meter: result '
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
if [ "$DEMO_INPUT" = xtest ]; then
  "$MOUSE" --rate "$DEMO_HZ" --seconds "$DEMO_SECONDS" >"$OUT/mouse.out" &
else
  kovi_inject_mouse "$BIN" "$DEMO_HZ" "$DEMO_SECONDS" >"$OUT/mouse.out" &
fi
mouse_pid=$!
KOVI_SESSION_PIDS+=("$mouse_pid")
# The screenshot while the capture runs.
sleep $((DEMO_SECONDS < 3 ? DEMO_SECONDS : 3))
window=$(xdotool search --name '^kovi$' 2>/dev/null | head -1)
if [ -n "$window" ]; then
  xwd -silent -id "$window" | convert xwd:- "$OUT/window.png"
else
  xwd -silent -root | convert xwd:- "$OUT/window.png"
fi
wait "$mouse_pid"
if [ "$DEMO_INPUT" = sendinput ]; then
  echo "(closing kovi's window once it reports a second without packets)"
  kovi_wait_until_idle "$OUT/kovi.out"
  kovi_close "$BIN"
fi
code=0
kovi_wait_pid "$kovi_pid" 60 || code=$?
# The follower prints what is left once kovi has ended.
wait "$follower"

step "result"
packets=$(tr -d '\r' <"$OUT/kovi.out" | grep -o 'meter: result packets=[0-9]*' | grep -o '[0-9]*$')
packets=${packets:-none}
if [ "$DEMO_INPUT" = xtest ]; then
  sent=$(sed -n 's/^synthetic_mouse: sent \([0-9]*\) motions.*/\1/p' "$OUT/mouse.out")
  echo "XTest motions sent ${sent:-none} at ${DEMO_HZ} Hz; packets counted by kovi $packets"
  echo "(Wine merges XTest motion when it lags, so fewer packets can arrive than were sent;" \
    "the default, --input sendinput, shows the loss-free count)"
  [ "$packets" != none ] && [ "$packets" -gt 0 ] && counted=1 || counted=0
else
  sent=$(cat "$OUT/mouse.out")
  verdict="sent != counted"
  [ -n "$sent" ] && [ "$packets" = "$sent" ] && verdict="sent = counted"
  echo "SendInput moves sent ${sent:-none} at ${DEMO_HZ} Hz; packets counted by kovi $packets: $verdict"
  echo "(kovi may fall behind under Wine and work through the queued moves later:" \
    "rates above ${DEMO_HZ} Hz, live or in the summary, are that catching up)"
  [ "$verdict" = "sent = counted" ] && counted=1 || counted=0
fi
echo "kovi exit code $code"
echo "left in $OUT: rate.svg (chart), window.png (screenshot), summary.json, transcript.txt"
if [ "$code" -ne 0 ] || [ "$counted" = 0 ]; then
  cat "$OUT/kovi.err" >&2
  exit 1
fi
exit 0
