#!/bin/bash
# Builds the raw mouse capture's benchmark (Windows tree, Release) and runs it
# under Wine in the project's prefix; prints its Markdown report and exits with
# its status (1 when a packet allocates).
# KOVI_BENCH_CAPTURE_TREE names the build folder (default build/bench-capture-windows).
set -eu
cd "$(dirname "$0")/.."
tree=${KOVI_BENCH_CAPTURE_TREE:-$(pwd)/build/bench-capture-windows}

scripts/wine-prefix.sh
if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset windows -B "$tree" >/dev/null
fi
cmake --build "$tree" -j2 --target capture_benchmark >/dev/null
scripts/wine-run.sh "$tree/bin/capture_benchmark.exe"
