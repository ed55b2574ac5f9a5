#!/bin/bash
# System test: every packet counted at 1, 4 and 8 kHz.
#   rates.sh BIN_DIR WORK_DIR
# For each rate and each of two mice, three numbers: what the mouse sent, what
# a bare raw-input receiver counted (run the same way right before kovi), and
# the packets in kovi's batches as the application received them.
# - XTest motion through Xvfb and Wine's X11 driver loses motions when Wine
#   lags (its driver merges queued motion events): kovi must reach 95 % of the
#   bare receiver.
# - SendInput moves of zero distance (inject_mouse) bypass X: nothing is lost,
#   so bare receiver and kovi must both count exactly what was sent.
# Every batch but the last holds five counts; kovi exits with 0.
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" rates
MOTION_SECONDS=3

for rate in 1000 4000 8000; do
  for kind in xtest inject; do
    name="kovi-$kind-$rate"
    read -r bare_sent bare_counted < <(bare_count "$kind" "$rate" "$MOTION_SECONDS")
    kovi_start "$name" --seconds $((MOTION_SECONDS + 1)) --summary "$WORK/$name.json"
    pid=$KOVI_PID
    if ! kovi_wait_for_line "$WORK/$name.out" "meter: capturing" 30; then
      check "$name: the application reports capturing" false
      show_run "$name"
      continue
    fi
    sent=$("mouse_$kind" "$rate" "$MOTION_SECONDS")
    code=$(kovi_wait "$pid" 30)
    packets=$(result_value "$name" packets)
    echo "$kind $rate Hz: bare receiver $bare_counted of $bare_sent sent;" \
      "kovi $packets of $sent sent; CPU $(result_value "$name" cpu_ms_per_s) ms per second;" \
      "$(result_value "$name" batches) batches"
    check "$name: exit code 0" [ "$code" = 0 ]
    check "$name: every batch but the last holds five counts" \
      [ "$(result_value "$name" irregular_batches)" = 0 ]
    if [ "$kind" = xtest ]; then
      check "$name: kovi counts at least 95 % of the bare receiver" \
        awk -v k="${packets:-0}" -v b="${bare_counted:-0}" 'BEGIN { exit !(b > 0 && k >= 0.95 * b) }'
    else
      check "$name: the bare receiver counts every move sent" [ "$bare_counted" = "$bare_sent" ]
      check "$name: kovi counts every move sent" [ "${packets:-x}" = "$sent" ]
    fi
    [ "$code" = 0 ] || show_run "$name"
  done
done
system_end
