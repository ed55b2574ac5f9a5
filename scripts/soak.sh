#!/bin/bash
# Soak run (not part of CI): kovi.exe captures for 10 minutes while mouse moves
# arrive at 1 kHz (or the rate given) through the loss-free SendInput path.
# Checks that every move sent was counted and that kovi's memory stays flat
# (resident size sampled every 30 s; growth after the first minute must stay
# under 4 MiB), and reports the CPU that kovi and the prefix's wineserver used
# per capture-second.
#   scripts/soak.sh [--hz 125..8000] [BIN_DIR] [MINUTES]
# BIN_DIR defaults to build/windows/bin (build the windows tree first).
#
# Kovi captures until its window is closed, once it has worked through every
# queued move (a capture ending on its own timer could overtake moves still
# queued when kovi falls behind, as it may at high rates on a busy machine).
# CPU: the on-CPU time of all threads (schedstat, user and system together)
# from the first move until kovi has worked through the last, over the
# capture-seconds, the moves sent divided by the rate (what a mouse at that
# rate delivers in that time, however long a busy machine took to send them).
# The wineserver's share includes its work for the injector's SendInput calls.
set -u
USAGE="usage: scripts/soak.sh [--hz 125..8000] [BIN_DIR] [MINUTES]"
HZ=1000
if [ "${1-}" = --hz ]; then
  if ! [[ ${2-} =~ ^[0-9]{1,6}$ ]] || ((10#$2 < 125 || 10#$2 > 8000)); then
    echo "$USAGE" >&2
    exit 2
  fi
  HZ=$((10#$2))
  shift 2
fi
MINUTES=${2:-10}
if [ $# -gt 2 ] || ! [[ $MINUTES =~ ^[0-9]{1,4}$ ]] || ((10#$MINUTES < 1)); then
  echo "$USAGE" >&2
  exit 2
fi
cd "$(dirname "$0")/.." || exit 1
ROOT=$(pwd)
BIN=${1:-$ROOT/build/windows/bin}
SECONDS_TOTAL=$((10#$MINUTES * 60))
OUT="$ROOT/build/soak"
# shellcheck source=scripts/x11-session.sh
source "$ROOT/scripts/x11-session.sh"
rm -rf "$OUT"
mkdir -p "$OUT"
kovi_session_begin || exit 1

kovi_wine_start "$OUT/kovi.out" "$OUT/kovi.err" "$BIN/kovi.exe" --seconds $((SECONDS_TOTAL + 600))
kovi_pid=$KOVI_PID
kovi_wait_for_line "$OUT/kovi.out" "meter: capturing" 60 || { cat "$OUT/kovi.err"; exit 1; }
server_pid=$(kovi_wineserver_pid) || { echo "soak: no wineserver found" >&2; exit 1; }
kovi_cpu_start=$(kovi_cpu_ns "$kovi_pid")
server_cpu_start=$(kovi_cpu_ns "$server_pid")
"${KOVI_WINE[@]}" "$BIN/inject_mouse.exe" --rate "$HZ" --seconds "$SECONDS_TOTAL" \
  </dev/null >"$OUT/inject.out" 2>&1 &
inject_pid=$!
KOVI_SESSION_PIDS+=("$inject_pid")

# Resident memory of kovi's process (the Wine loader became it), in KiB.
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$kovi_pid/status" 2>/dev/null; }
echo "seconds rss_kib" >"$OUT/memory.txt"
# Every 30 s while the moves go on, and once they are done (looked for every
# second, so that the CPU figures take in little idle time).
started=$(date +%s)
next_sample=0
while kill -0 "$inject_pid" 2>/dev/null; do
  elapsed=$(($(date +%s) - started))
  if [ "$elapsed" -ge "$next_sample" ]; then
    echo "$elapsed $(rss_kib)" | tee -a "$OUT/memory.txt"
    next_sample=$((next_sample + 30))
  fi
  sleep 1
done
echo "$(($(date +%s) - started)) $(rss_kib)" | tee -a "$OUT/memory.txt"
kovi_wait_until_idle "$OUT/kovi.out" || echo "soak: kovi did not go idle" >&2
kovi_cpu_end=$(kovi_cpu_ns "$kovi_pid")
server_cpu_end=$(kovi_cpu_ns "$server_pid")
kovi_close "$BIN"
code=0
kovi_wait_pid "$kovi_pid" 60 || code=$?
sent=$(sed -n 's/^inject_mouse: sent \([0-9]*\) moves.*/\1/p' "$OUT/inject.out")
packets=$(tr -d '\r' <"$OUT/kovi.out" | grep -o 'meter: result packets=[0-9]*' | grep -o '[0-9]*$')
tr -d '\r' <"$OUT/kovi.out" | grep 'summary:'
# Memory from the first minute on: the start-up allocations are done by then.
read -r first_rss last_rss max_rss < <(awk 'NR > 1 && $1 >= 60 && $2 != "" {
    if (first == "") first = $2; last = $2; if ($2 > max) max = $2 }
    END { print first, last, max }' "$OUT/memory.txt")
growth=$((max_rss - first_rss))
echo "sent $sent at $HZ Hz, counted ${packets:-none}; resident memory from 60 s: first" \
  "${first_rss} KiB, last ${last_rss} KiB, largest ${max_rss} KiB (growth ${growth} KiB);" \
  "exit code $code"
awk -v sent="${sent:-0}" -v hz="$HZ" -v kovi=$((kovi_cpu_end - kovi_cpu_start)) \
  -v server=$((server_cpu_end - server_cpu_start)) 'BEGIN {
    seconds = sent / hz
    if (seconds == 0) { print "CPU per capture-second: no moves sent"; exit }
    printf "CPU per capture-second (%.1f capture-seconds): kovi %.3f s, wineserver %.3f s," \
      " together %.3f s\n", seconds, kovi / 1e9 / seconds, server / 1e9 / seconds,
      (kovi + server) / 1e9 / seconds }'
if [ "$code" -eq 0 ] && [ "${packets:-x}" = "$sent" ] && [ "$growth" -lt 4096 ]; then
  echo "soak passed"
  exit 0
fi
echo "soak FAILED"
exit 1
