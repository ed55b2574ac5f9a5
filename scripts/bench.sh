#!/bin/bash
# Builds the native tree's encoding benchmark (Release) and runs it, then prints
# a table of the results and the targets met or not, also written to
# <tree>/encoding_benchmark.md next to the raw results (encoding_benchmark.json).
# Times are CPU time per operation, the best of five runs: on a shared machine
# the wall clock also counts the time other processes held the core, and what
# they do to the caches only ever adds time.
# Extra arguments go to the benchmark (e.g. --benchmark_filter=c_method_call).
# KOVI_BENCH_TREE names the build folder (default build/bench-native).
set -eu
cd "$(dirname "$0")/.."
tree=${KOVI_BENCH_TREE:-$(pwd)/build/bench-native}

if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset native -B "$tree" >/dev/null
fi
cmake --build "$tree" -j2 --target encoding_benchmark >/dev/null

json=$tree/encoding_benchmark.json
table=$tree/encoding_benchmark.md
"$tree/bin/encoding_benchmark" --benchmark_repetitions=5 --benchmark_min_time=0.3 \
  --benchmark_out="$json" --benchmark_out_format=json "$@" >/dev/null

python3 - "$json" >"$table" <<'PYTHON'
import json, sys

def ns(run):
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[run["time_unit"]]
    return run["cpu_time"] * scale

# The best repetition of each benchmark.
runs = {}
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    if run.get("run_type") != "iteration":
        continue
    key = tuple(run["run_name"].split("/"))
    if key not in runs or ns(run) < ns(runs[key]):
        runs[key] = run

def cell(key):
    run = runs.get(key)
    if run is None:
        return "-"
    text = f"{ns(run):,.0f} ns, {run['allocs']:.0f} allocs"
    if "bytes_per_second" in run:
        text += f", {run['bytes_per_second'] / 2**30:.1f} GiB/s"
    return text

payloads = sorted({key[0] for key in runs})
print("| payload | direction | kovi | msgpack-cxx | nlohmann | floor | wire bytes (kovi / msgpack) |")
print("|---|---|---|---|---|---|---|")
for payload in payloads:
    for direction in ("encode", "decode"):
        if (payload, direction, "kovi") not in runs:
            continue
        floor = "-"
        if (payload, "decode", "deep_copy") in runs and direction == "decode":
            floor = "deep copy: " + cell((payload, "decode", "deep_copy"))
        if (payload, "copy", "memcpy") in runs:
            floor = "memcpy: " + cell((payload, "copy", "memcpy"))
        wire = f"{runs[(payload, direction, 'kovi')]['wire_bytes']:.0f} / " + (
            f"{runs[(payload, direction, 'msgpack_cxx')]['wire_bytes']:.0f}"
            if (payload, direction, "msgpack_cxx") in runs else "-")
        print(f"| {payload} | {direction} | {cell((payload, direction, 'kovi'))} | "
              f"{cell((payload, direction, 'msgpack_cxx'))} | {cell((payload, direction, 'nlohmann'))} | "
              f"{floor} | {wire} |")

def time(payload, direction, implementation):
    run = runs.get((payload, direction, implementation))
    return None if run is None else ns(run)

checks = []
def check(text, kovi, limit, factor=1.0, strict=True):
    if kovi is None or limit is None:
        return
    ratio = kovi / limit
    met = ratio < factor if strict else ratio <= factor
    checks.append(f"| {text} | {ratio:.2f} | {'met' if met else 'NOT MET'} |")

for payload in ("a_event_batch", "b_supported_map", "c_method_call"):
    for peer in ("msgpack_cxx", "nlohmann"):
        check(f"{payload} encode faster than {peer}", time(payload, "encode", "kovi"),
              time(payload, "encode", peer))
for payload in ("a_event_batch", "b_supported_map"):
    for peer in ("msgpack_cxx", "nlohmann"):
        check(f"{payload} decode faster than {peer}", time(payload, "decode", "kovi"),
              time(payload, "decode", peer))
check("c_method_call decode faster than nlohmann", time("c_method_call", "decode", "kovi"),
      time("c_method_call", "decode", "nlohmann"))
check("c_method_call decode at most 1.5x the deep copy", time("c_method_call", "decode", "kovi"),
      time("c_method_call", "decode", "deep_copy"), 1.5, strict=False)
for payload in sorted(p for p in payloads if p.startswith("d_")):
    for direction in ("encode", "decode"):
        check(f"{payload} {direction} at least half of memcpy throughput",
              time(payload, direction, "kovi"), time(payload, "copy", "memcpy"), 2.0, strict=False)

print()
print("| target | kovi / reference time | result |")
print("|---|---|---|")
print("\n".join(checks))
kovi, peer = time("c_method_call", "decode", "kovi"), time("c_method_call", "decode", "msgpack_cxx")
if kovi and peer:
    print(f"\nc_method_call decode, kovi / msgpack-cxx (informative, no target): {kovi / peer:.2f}")
PYTHON
cat "$table"
echo "(written to $table)"
