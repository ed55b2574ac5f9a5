#!/bin/bash
# System test: a hostile Dart side. Undecodable bytes on both channels, unknown
# and wrong-case methods, cancel without listen, a second listen, a list
# announcing 2^32-1 elements in six bytes and 10,000-deep nesting: each gets
# its exact reply (checked by the application) and exactly its lines on
# stderr (checked here), and the process keeps running and counting.
#   hostile.sh BIN_DIR WORK_DIR
set -u
source "$(dirname "$0")/system_lib.sh"
system_begin "$1" "$2" hostile

kovi_count_moves hostile 2 --hostile --expected-errors "$WORK/expected.err"
sent=$SENT
code=$KOVI_CODE
check "exit code 0" [ "$code" = 0 ]
total=$(result_value hostile hostile_total)
good=$(result_value hostile hostile_ok)
check "every hostile message got its exact reply (${good:-0} of ${total:-0})" \
  [ "${total:-0}" -gt 0 -a "${good:-x}" = "${total:-0}" ]
check "exactly the expected lines on stderr" diff "$WORK/expected.err" "$WORK/hostile.err"
check "still counting afterwards: $(result_value hostile packets) of $sent moves" \
  [ "$(result_value hostile packets)" = "$sent" ]
[ "$code" = 0 ] || show_run hostile
system_end
