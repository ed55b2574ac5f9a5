#!/bin/bash
# Builds the raw mouse capture's benchmark (Windows tree, Release) and runs it
# under Wine in the project's prefix; prints its Markdown report. Then builds
# kovi.exe with the tools beside it and measures CPU per capture-second at 1, 4
# and 8 kHz against the bare receiver (scripts/capture-cpu.sh, on a private
# Xvfb display). Exits with 1 when a packet allocates or the CPU run failed.
# KOVI_BENCH_CAPTURE_TREE names the build folder (default build/bench-capture-windows).
set -eu
cd "$(dirname "$0")/.."
tree=${KOVI_BENCH_CAPTURE_TREE:-$(pwd)/build/bench-capture-windows}

scripts/wine-prefix.sh
if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset windows -B "$tree" >/dev/null
fi
cmake --build "$tree" -j2 --target capture_benchmark kovi bare_receiver inject_mouse \
  close_window >/dev/null
status=0
scripts/wine-run.sh "$tree/bin/capture_benchmark.exe" || status=1
echo
scripts/capture-cpu.sh "$tree/bin" || status=1
exit $status
