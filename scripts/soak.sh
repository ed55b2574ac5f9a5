#!/bin/bash
# Soak run (not part of CI): kovi.exe captures for 10 minutes while mouse moves
# arrive at 1 kHz through the loss-free SendInput path. Checks that every move
# sent was counted and that kovi's memory stays flat (resident size sampled
# every 30 s; growth after the first minute must stay under 4 MiB).
#   scripts/soak.sh [BIN_DIR] [MINUTES]
# BIN_DIR defaults to build/windows/bin (build the windows tree first).
set -u
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BIN=${1:-$ROOT/build/windows/bin}
MINUTES=${2:-10}
SECONDS_TOTAL=$((MINUTES * 60))
OUT="$ROOT/build/soak"
# shellcheck source=scripts/x11-session.sh
source "$ROOT/scripts/x11-session.sh"
rm -rf "$OUT"
mkdir -p "$OUT"
kovi_session_begin || exit 1

kovi_wine_start "$OUT/kovi.out" "$OUT/kovi.err" "$BIN/kovi.exe" --seconds $((SECONDS_TOTAL + 3))
kovi_pid=$KOVI_PID
kovi_wait_for_line "$OUT/kovi.out" "meter: capturing" 60 || { cat "$OUT/kovi.err"; exit 1; }
"${KOVI_WINE[@]}" "$BIN/inject_mouse.exe" --rate 1000 --seconds "$SECONDS_TOTAL" \
  </dev/null >"$OUT/inject.out" 2>&1 &
inject_pid=$!
KOVI_SESSION_PIDS+=("$inject_pid")

# Resident memory of kovi's process (the Wine loader became it), in KiB.
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$kovi_pid/status" 2>/dev/null; }
echo "seconds rss_kib" >"$OUT/memory.txt"
elapsed=0
while kill -0 "$inject_pid" 2>/dev/null; do
  echo "$elapsed $(rss_kib)" | tee -a "$OUT/memory.txt"
  sleep 30
  elapsed=$((elapsed + 30))
done
echo "$elapsed $(rss_kib)" | tee -a "$OUT/memory.txt"
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
echo "sent $sent, counted ${packets:-none}; resident memory from 60 s: first ${first_rss} KiB," \
  "last ${last_rss} KiB, largest ${max_rss} KiB (growth ${growth} KiB); exit code $code"
if [ "$code" -eq 0 ] && [ "${packets:-x}" = "$sent" ] && [ "$growth" -lt 4096 ]; then
  echo "soak passed"
  exit 0
fi
echo "soak FAILED"
exit 1
