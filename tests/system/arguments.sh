#!/bin/bash
# System test: the command line reaches the application as UTF-8, exactly:
# no arguments, two arguments, and a quoted argument with spaces and a
# character outside the Basic Multilingual Plane.
#   arguments.sh BIN_DIR WORK_DIR
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" arguments

# Runs kovi with the arguments, closes it once the application has started and
# checks what it received.
run_case() {
  local name=$1 pid code i=0
  shift
  kovi_start "$name" "$@"
  pid=$KOVI_PID
  kovi_wait_for_line "$WORK/$name.out" "meter: capturing" 30
  close_kovi
  kovi_wait "$pid" 30
  code=$KOVI_CODE
  check "$name: exit code 0" [ "$code" = 0 ]
  check "$name: $# arguments received" grep -qx "meter: arguments $#" "$WORK/$name.out"
  for argument in "$@"; do
    check "$name: argument $i is exactly '$argument'" \
      grep -qxF "meter: argument $i $argument" "$WORK/$name.out"
    i=$((i + 1))
  done
  [ "$code" = 0 ] || show_run "$name"
}

run_case none
run_case two first second
run_case quoted "with spaces and 😀 (U+1F600)"
system_end
