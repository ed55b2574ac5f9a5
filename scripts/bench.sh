#!/bin/bash
# Builds the native tree's encoding benchmark (Release) twice, at -O2 and at
# -O3, runs both, and counts the instructions of the ~1 KB method calls' decode
# and deep copy (of the whole call, and of its arguments alone) under
# callgrind; prints a table of the results and the targets met or not, also
# written to <build>/encoding_benchmark.md next to the raw results
# (bench-native-O2/, bench-native-O3/: encoding_benchmark.json,
# instruction_counts.tsv, callgrind.*).
# Times are CPU time per operation, the best of five runs: on a shared machine
# the wall clock also counts the time other processes held the core, and what
# they do to the caches only ever adds time. Instruction counts are
# deterministic: the decode target is judged on them, its time ratio shown
# beside.
# Extra arguments go to the benchmark (e.g. --benchmark_filter=c_method_call).
# KOVI_BENCH_BUILD names the folder that holds the two trees (default build).
set -eu
cd "$(dirname "$0")/.."
build=${KOVI_BENCH_BUILD:-$(pwd)/build}
calls=1000
if ! command -v valgrind >/dev/null; then
  echo "bench.sh: valgrind is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

for level in O2 O3; do
  tree=$build/bench-native-$level
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake --preset native -B "$tree" "-DCMAKE_CXX_FLAGS_RELEASE=-$level -DNDEBUG" >/dev/null
  fi
  cmake --build "$tree" -j2 --target encoding_benchmark instruction_count_driver >/dev/null
  "$tree/bin/encoding_benchmark" --benchmark_repetitions=5 --benchmark_min_time=0.3 \
    --benchmark_out="$tree/encoding_benchmark.json" --benchmark_out_format=json "$@" >/dev/null
  counts=$tree/instruction_counts.tsv
  : >"$counts"
  for payload in $("$tree/bin/instruction_count_driver" --list); do
    for operation in decode copy copy_arguments; do
      out=$tree/callgrind.$payload.$operation
      valgrind --tool=callgrind --collect-atstart=no --toggle-collect='kovi_bench::MeasuredCalls*' \
        --callgrind-out-file="$out" "$tree/bin/instruction_count_driver" "$payload" "$operation" \
        "$calls" 2>/dev/null
      printf '%s\t%s\t%s\n' "$payload" "$operation" \
        "$(sed -n 's/^totals: \([0-9]*\).*/\1/p' "$out")" >>"$counts"
    done
  done
done

table=$build/encoding_benchmark.md
python3 scripts/bench_table.py "$build" "$calls" >"$table"
cat "$table"
echo "(written to $table)"
