#!/bin/bash
# System test: the user's mouse parameters (thresholds, acceleration) are set to
# 0, 0, 0 during a capture and restored after it: after a normal stop, and when
# the window is closed from outside mid-capture (WM_CLOSE), in which case the
# final short batch still reaches the application before the engine goes.
#   mouse_settings.sh BIN_DIR WORK_DIR
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" mouse_settings

kovi_start stop --set-mouse 3,7,2 --seconds 2
pid=$KOVI_PID
kovi_wait_for_line "$WORK/stop.out" "meter: capturing" 30 && mouse_xtest 1000 1 >/dev/null
kovi_wait "$pid" 30
code=$KOVI_CODE
check "normal stop: exit code 0" [ "$code" = 0 ]
check "normal stop: distinctive values before" [ "$(result_value stop mouse_before)" = 3,7,2 ]
check "normal stop: 0,0,0 during the capture" [ "$(result_value stop mouse_during)" = 0,0,0 ]
check "normal stop: restored after the stop" [ "$(result_value stop mouse_after)" = 3,7,2 ]
check "normal stop: still restored at shutdown" [ "$(result_value stop mouse_at_shutdown)" = 3,7,2 ]
[ "$code" = 0 ] || show_run stop

# Closed from outside while moves arrive. The final batch holds the ticks
# since the last batch and the partial tick; in the rare case that the close
# falls right after a batch, with no move yet counted, there is nothing to send,
# and the run is repeated (at most three times).
for attempt in 1 2 3; do
  name="close-$attempt"
  kovi_start "$name" --set-mouse 5,11,1 --seconds 60
  pid=$KOVI_PID
  if kovi_wait_for_line "$WORK/$name.out" "meter: capturing" 30; then
    "${KOVI_WINE[@]}" "$BIN/inject_mouse.exe" --rate 4000 --seconds 3 </dev/null >/dev/null 2>&1 &
    mouse_pid=$!
    sleep 1.5
    close_kovi
    wait "$mouse_pid"
  fi
  kovi_wait "$pid" 30
  code=$KOVI_CODE
  [ "$(result_value "$name" closing_batches)" = 0 ] || break
  echo "nothing was pending when the window closed; again"
done
check "closed from outside: exit code 0" [ "$code" = 0 ]
check "closed from outside: 0,0,0 during the capture" [ "$(result_value "$name" mouse_during)" = 0,0,0 ]
check "closed from outside: restored before the engine shut down" \
  [ "$(result_value "$name" mouse_at_shutdown)" = 5,11,1 ]
check "closed from outside: the capture was not stopped by the application" \
  [ "$(result_value "$name" stopped_by_meter)" = false ]
check "closed from outside: the final batch arrived while the window closed" \
  [ "$(result_value "$name" closing_batches)" = 1 ]
echo "final batch: $(result_value "$name" last_batch) counts, $(result_value "$name" closing_packets) packets"
[ "$code" = 0 ] || show_run "$name"
system_end
