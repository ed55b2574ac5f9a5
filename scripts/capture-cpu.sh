#!/bin/bash
# CPU per capture-second: kovi.exe capturing against the bare receiver
# (tools/bare_receiver) receiving the same SendInput moves, at 1, 4 and 8 kHz,
# under Wine on a private Xvfb display, in one run.
#   capture-cpu.sh BIN_DIR
# BIN_DIR holds kovi.exe with its stand-ins, bare_receiver.exe, inject_mouse.exe
# and close_window.exe (the Windows tree's bin folder).
# KOVI_CPU_RUNS (default 5) rounds, KOVI_CPU_SECONDS (default 4) of moves per
# phase, KOVI_CPU_RATES (default "1000 4000 8000") the rates in Hz.
#
# Each phase is one receiver alone, a whole process in the foreground, and the
# moves of inject_mouse (zero distance, nothing lost). Its window opens when
# the moves start and closes once the receiver has worked through them (see
# wait_until_drained); capture-seconds are the moves sent over the rate (what
# a mouse at that rate delivers in that time, however long a loaded machine
# took to send them). Measured per phase:
# - the receiver's CPU time: the on-CPU time of all its threads (schedstat,
#   user and system together, in nanoseconds);
# - the wineserver's CPU time in the same window: every raw input message
#   passes through it. The injector's share of it is the same in both phases,
#   so it adds the same to both sides of the ratio.
# Also per phase, to tell how the receiver fared: its waits per packet, and how
# long its window stayed open after the last move (0.5 s when it kept up).
# Rounds alternate which receiver goes first, so that a change of load on the
# machine does not always fall on the same side. The table gives the median
# of the rounds with their range, per capture-second; the target is kovi at
# most 1.1 times the bare receiver at 8 kHz, process and wineserver share
# together. Exit code 0, or 1 when a phase could not run.
set -u
if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: capture-cpu.sh BIN_DIR" >&2
  exit 1
fi
BIN=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUNS=${KOVI_CPU_RUNS:-5}
SECONDS_PER_PHASE=${KOVI_CPU_SECONDS:-4}
read -r -a RATES <<<"${KOVI_CPU_RATES:-1000 4000 8000}"
WORK=$ROOT/build/capture-cpu
# shellcheck source=scripts/x11-session.sh
source "$ROOT/scripts/x11-session.sh"
export LANG=C.UTF-8

for file in kovi.exe flutter_windows.dll data/app.so bare_receiver.exe inject_mouse.exe \
    close_window.exe; do
  if [ ! -f "$BIN/$file" ]; then
    echo "capture-cpu: $BIN/$file is missing (build the windows tree first)" >&2
    exit 1
  fi
done
rm -rf "$WORK"
mkdir -p "$WORK"
kovi_session_begin || exit 1

# Times all threads of a process gave up the CPU to wait (voluntary context
# switches). A Wine program waits for the wineserver's answer to each of its
# requests, and for its next message.
waits() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^voluntary_ctxt_switches/ { sum += $2 } END { printf "%.0f\n", sum }'
}

# Sends RATE moves a second for the phase's time while PID receives them;
# prints "SENT PROCESS_NS WINESERVER_NS WAKEUPS DRAIN_MS", the last two the
# receiver's waits in the window and how long the window stayed open after the
# last move.
measure_phase() {
  local rate=$1 pid=$2 server idle process0 server0 process1 server1 inject waited sent_at words
  server=$(kovi_wineserver_pid) || { echo "capture-cpu: no wineserver found" >&2; return 1; }
  idle=$(kovi_cpu_ns "$pid")
  sleep 1
  process0=$(kovi_cpu_ns "$pid")
  idle=$((process0 - idle))
  server0=$(kovi_cpu_ns "$server")
  waited=$(waits "$pid")
  inject=$("${KOVI_WINE[@]}" "$BIN/inject_mouse.exe" --rate "$rate" \
    --seconds "$SECONDS_PER_PHASE" </dev/null 2>/dev/null)
  sent_at=$(date +%s%N)
  wait_until_drained "$pid" "$idle"
  process1=$(kovi_cpu_ns "$pid")
  server1=$(kovi_cpu_ns "$server")
  waited=$(($(waits "$pid") - waited))
  # "inject_mouse: sent N moves in T s"
  read -r -a words <<<"$inject"
  echo "${words[2]:-0} $((process1 - process0)) $((server1 - server0)) $waited" \
    "$((($(date +%s%N) - sent_at) / 1000000))"
}

# A receiver behind the moves keeps working through its queue after they end.
# Both receivers wake about 100 times a second when idle (kovi's capture timer,
# the bare receiver's wait), so the window closes once the receiver has used
# at most twice its idle CPU (IDLE_NS, measured over the second before the
# moves), plus 2 ms, in each of two successive quarters of a second; or after
# 30 s.
wait_until_drained() {
  local pid=$1 limit=$(($2 / 2 + 2000000)) quiet=0 polls=0 before after
  before=$(kovi_cpu_ns "$pid")
  while [ $quiet -lt 2 ] && [ $polls -lt 120 ]; do
    sleep 0.25
    after=$(kovi_cpu_ns "$pid")
    if [ $((after - before)) -le "$limit" ]; then
      quiet=$((quiet + 1))
    else
      quiet=0
    fi
    before=$after
    polls=$((polls + 1))
  done
}

# The number that the group of the sed pattern PATTERN picks from FILE (a
# Windows program's output).
number_in() {
  tr -d '\r' <"$1" | sed -n "s/$2/\1/p" | head -n 1
}

kovi_phase() {
  local rate=$1 name=kovi-$1-$2 pid measured
  kovi_wine_start "$WORK/$name.out" "$WORK/$name.err" "$BIN/kovi.exe" --seconds 120
  pid=$KOVI_PID
  kovi_wait_for_line "$WORK/$name.out" "meter: capturing" 60 || return 1
  measured=$(measure_phase "$rate" "$pid") || return 1
  kovi_close "$BIN"
  kovi_wait_pid "$pid" 60 >/dev/null
  echo "kovi $rate $measured $(number_in "$WORK/$name.out" '.*meter: result packets=\([0-9]*\).*')" \
    >>"$WORK/results"
}

bare_phase() {
  local rate=$1 name=bare-$1-$2 pid measured
  kovi_wine_start "$WORK/$name.out" "$WORK/$name.err" "$BIN/bare_receiver.exe" \
    --seconds 120 --quiet 1
  pid=$KOVI_PID
  kovi_wait_for_line "$WORK/$name.out" "bare_receiver: ready" 60 || return 1
  measured=$(measure_phase "$rate" "$pid") || return 1
  kovi_wait_pid "$pid" 60 >/dev/null
  echo "bare $rate $measured $(number_in "$WORK/$name.out" '^bare_receiver: \([0-9]*\) WM_INPUT.*')" \
    >>"$WORK/results"
}

for run in $(seq 1 "$RUNS"); do
  for rate in "${RATES[@]}"; do
    if [ $((run % 2)) = 1 ]; then
      kovi_phase "$rate" "$run" && bare_phase "$rate" "$run"
    else
      bare_phase "$rate" "$run" && kovi_phase "$rate" "$run"
    fi || { echo "capture-cpu: round $run at $rate Hz failed (see $WORK)" >&2; exit 1; }
  done
done
kovi_session_end

python3 "$ROOT/scripts/capture_cpu_table.py" "$WORK/results" "$RUNS"
