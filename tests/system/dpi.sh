#!/bin/bash
# System test: at 144 dots per inch (Wine's LogPixels in the prefix) the
# top-level window is created 1920x1200 at (480, 150) on a 1920-pixel-wide
# screen: the 1280x800 logical window at (320, 100), scaled by 1.5.
#   dpi.sh BIN_DIR WORK_DIR
set -u
# Tall enough that the scaled window is not limited to the screen's height.
export KOVI_SCREEN=1920x1440x24
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" dpi
kovi_set_dpi 144
trap 'kovi_set_dpi 96; kovi_session_end' EXIT

kovi_start dpi --seconds 1
kovi_wait "$KOVI_PID" 60
code=$KOVI_CODE
check "exit code 0" [ "$code" = 0 ]
check "window at 480,150 sized 1920x1200 (got $(result_value dpi bounds))" \
  [ "$(result_value dpi bounds)" = 480,150,1920,1200 ]
[ "$code" = 0 ] || show_run dpi
kovi_set_dpi 96
system_end
