# shellcheck shell=bash
# Sourced by the script tests: `check WHAT COMMAND...` runs COMMAND and prints
# "ok: WHAT" or "FAIL: WHAT", counting the failures in CHECK_FAILURES.
CHECK_FAILURES=0

check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAIL: $what"
    CHECK_FAILURES=$((CHECK_FAILURES + 1))
  fi
}
