#!/bin/bash
# System test: with Wine's debug-string channel on, the capture's diagnostic
# lines reach the debugger output: the device line once per capture and the
# rate line about once a second while packets arrive.
#   diagnostics.sh BIN_DIR WORK_DIR
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" diagnostics

MOTION_SECONDS=3
WINEDEBUG=-all,+debugstr kovi_start diagnostics --seconds $((MOTION_SECONDS + 1))
pid=$KOVI_PID
kovi_wait_for_line "$WORK/diagnostics.out" "meter: capturing" 30 &&
  mouse_inject 1000 "$MOTION_SECONDS" >/dev/null
kovi_wait "$pid" 30
code=$KOVI_CODE
devices=$(grep -c '\[KOVI\] RAW device: ' "$WORK/diagnostics.err")
rates=$(grep -c '\[KOVI\] RAW mouse packets/sec: ' "$WORK/diagnostics.err")
grep -o '\[KOVI\] RAW [^"]*' "$WORK/diagnostics.err" | sed 's/\\n$//'
check "exit code 0" [ "$code" = 0 ]
check "one device line ($devices)" [ "$devices" = 1 ]
check "about one rate line a second over $MOTION_SECONDS s ($rates)" \
  [ "$rates" -ge "$MOTION_SECONDS" -a "$rates" -le $((MOTION_SECONDS + 2)) ]
[ "$code" = 0 ] || show_run diagnostics
system_end
