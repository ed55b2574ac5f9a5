#!/bin/bash
# System test: every packet counted at 1, 4 and 8 kHz.
#   rates.sh BIN_DIR WORK_DIR
# Each run of kovi has a bare receiver beside it that counts the same packets
# in the same run (hidden, registered with RIDEV_INPUTSINK, doing nothing but
# count) until they have stopped for two seconds: a busy machine starts the
# mouse late, so no fixed counting time. For each rate, two mice:
# - XTest motion through Xvfb and Wine's X11 driver. Wine loses motions there
#   when it lags (its driver merges queued motion events), more so the busier
#   the machine, so runs differ: kovi must reach 95 % of the bare receiver.
#   The mouse also counts the raw motion events the X server hands to an X
#   client of its own: all of them arrive there, so the loss lies in Wine
#   between the X server and the raw input queue.
# - SendInput moves of zero distance (inject_mouse), which bypass X and lose
#   nothing: the bare receiver and kovi must both count exactly what was sent.
#   Should kovi miss moves, the bare receiver tells whether Windows delivered
#   them to anyone. SendInput slows down on a busy machine.
# On a busy machine kovi may still be working through queued input when the
# mouse is done, and a stop or close (posted messages) would overtake it: no
# capture here ends on a timer. Once a live line reports a second without
# packets and the bare receiver has finished, the window is closed from
# outside, which stops the capture and sends its final batch.
# Every batch but the last holds five counts; kovi exits with 0.
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" rates
MOTION_SECONDS=3

# Starts kovi, capturing until it is closed, and the bare receiver beside it;
# waits until both count.
start_kovi() {
  kovi_start "$1" --seconds 120 --summary "$WORK/$1.json"
  KOVI_RUN_PID=$KOVI_PID
  kovi_wait_for_line "$WORK/$1.out" "meter: capturing" 30 &&
    bare_start "$1-beside" 60 --sink --quiet 2
}

# Once kovi and the bare receiver have counted everything, closes kovi.
finish_kovi() {
  wait_until_idle "$1"
  kovi_wait_pid "$BARE_PID" 60
  close_kovi
}

# Checks one run of kovi; prints its numbers. BESIDE: the bare receiver's count.
check_kovi() {
  local name=$1 sent=$2 more=$3
  kovi_wait "$KOVI_RUN_PID" 30
  PACKETS=$(result_value "$name" packets)
  BESIDE=$(bare_result "$WORK/$name-beside.out")
  echo "$name: sent $sent;$more bare receiver beside kovi ${BESIDE:-none};" \
    "kovi ${PACKETS:-none}; kovi's CPU $(result_value "$name" cpu_ms_per_s) ms per second"
  check "$name: exit code 0" [ "$KOVI_CODE" = 0 ]
  check "$name: every batch but the last holds five counts" \
    [ "$(result_value "$name" irregular_batches)" = 0 ]
  [ "$KOVI_CODE" = 0 ] || show_run "$name"
}

for rate in 1000 4000 8000; do
  name="kovi-xtest-$rate"
  if start_kovi "$name"; then
    "$MOUSE" --rate "$rate" --seconds "$MOTION_SECONDS" --count-raw >"$WORK/mouse-$rate.out"
    finish_kovi "$name"
  fi
  sent=$(sed -n 's/^synthetic_mouse: sent \([0-9]*\) motions.*/\1/p' "$WORK/mouse-$rate.out")
  seen=$(sed -n 's/^synthetic_mouse: X raw motion events seen \([0-9]*\)/\1/p' "$WORK/mouse-$rate.out")
  check_kovi "$name" "${sent:-0}" " X clients got ${seen:-none};"
  check "$name: kovi counts at least 95 % of the bare receiver beside it" \
    awk -v k="${PACKETS:-0}" -v b="${BESIDE:-0}" 'BEGIN { exit !(b > 0 && k >= 0.95 * b) }'

  name="kovi-inject-$rate"
  sent=0
  if start_kovi "$name"; then
    sent=$(mouse_inject "$rate" "$MOTION_SECONDS")
    finish_kovi "$name"
  fi
  check_kovi "$name" "$sent" ""
  check "$name: the bare receiver beside kovi counts every move sent" [ "${BESIDE:-x}" = "$sent" ]
  check "$name: kovi counts every move sent" [ "${PACKETS:-x}" = "$sent" ]
done
system_end
