#!/bin/bash
# System test: without data\app.so, and without the data folder, kovi ends
# with exit code 1 and "Failed to create view controller." on stderr.
#   missing_data.sh BIN_DIR WORK_DIR
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" missing_data

# A copy of the program folder with part of the data folder taken away.
lay_out() {
  local folder="$WORK/$1"
  mkdir -p "$folder"
  cp "$BIN"/*.exe "$BIN"/*.dll "$folder/"
  cp -r "$BIN/data" "$folder/data"
}

for case in no_app_so no_data; do
  lay_out "$case"
  if [ "$case" = no_app_so ]; then
    rm "$WORK/$case/data/app.so"
  else
    rm -r "$WORK/$case/data"
  fi
  kovi_wine_start "$WORK/$case.out" "$WORK/$case.err" "$WORK/$case/kovi.exe"
  kovi_wait "$KOVI_PID" 30
  code=$KOVI_CODE
  check "$case: exit code 1" [ "$code" = 1 ]
  check "$case: the view controller failure on stderr" \
    grep -qx "Failed to create view controller." "$WORK/$case.err"
  [ "$code" = 1 ] || show_run "$case"
done
system_end
