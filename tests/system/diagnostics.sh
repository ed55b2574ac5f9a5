#!/bin/bash
# System test: with Wine's debug-string channel on, the capture's diagnostic
# lines reach the debugger output: the device line once per capture and the
# rate line about once a second while packets arrive.
#   diagnostics.sh BIN_DIR WORK_DIR
# Wine 8 reports the wide-character OutputDebugStringW on its seh channel
# ("warn:seh:OutputDebugStringA ..."), not on debugstr, which carries only the
# narrow function's strings: both channels are switched on, and each string is
# counted once, by its OutputDebugString line.
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" diagnostics

MOTION_SECONDS=3
WINEDEBUG=-all,+debugstr,warn+seh kovi_start diagnostics --seconds $((MOTION_SECONDS + 1))
pid=$KOVI_PID
kovi_wait_for_line "$WORK/diagnostics.out" "meter: capturing" 30 &&
  mouse_inject 1000 "$MOTION_SECONDS" >/dev/null
kovi_wait "$pid" 30
code=$KOVI_CODE
grep 'OutputDebugString[AW] "\[KOVI\] RAW ' "$WORK/diagnostics.err" >"$WORK/lines"
devices=$(grep -c '\[KOVI\] RAW device: ' "$WORK/lines")
rates=$(grep -c '\[KOVI\] RAW mouse packets/sec: ' "$WORK/lines")
grep -o '\[KOVI\] RAW [^"]*' "$WORK/lines" | sed 's/\\n$//'
check "exit code 0" [ "$code" = 0 ]
check "one device line ($devices)" [ "$devices" = 1 ]
check "about one rate line a second over $MOTION_SECONDS s ($rates)" \
  [ "$rates" -ge "$MOTION_SECONDS" -a "$rates" -le $((MOTION_SECONDS + 2)) ]
[ "$code" = 0 ] || show_run diagnostics
system_end
