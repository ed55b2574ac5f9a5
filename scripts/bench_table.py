#!/usr/bin/env python3
"""The encoding benchmark's table (scripts/bench.sh): the timings of both
optimisation levels, the decode against the deep copy in instructions, where
the instructions go, and each target met or not.

    bench_table.py BUILD_DIR CALLS

BUILD_DIR holds bench-native-O2/ and bench-native-O3/ as bench.sh leaves them;
CALLS is the number of calls each callgrind run made. Prints Markdown.
"""
import json, re, subprocess, sys

build, calls = sys.argv[1], int(sys.argv[2])
levels = ("O2", "O3")

def ns(run):
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[run["time_unit"]]
    return run["cpu_time"] * scale

def best_runs(level):
    """The best repetition of each benchmark."""
    runs = {}
    for run in json.load(open(f"{build}/bench-native-{level}/encoding_benchmark.json"))["benchmarks"]:
        if run.get("run_type") != "iteration":
            continue
        key = tuple(run["run_name"].split("/"))
        if key not in runs or ns(run) < ns(runs[key]):
            runs[key] = run
    return runs

def instructions(level):
    counts = {}
    for line in open(f"{build}/bench-native-{level}/instruction_counts.tsv"):
        payload, operation, total = line.split()
        counts[(payload, operation)] = int(total) / calls
    return counts

# Where one call's instructions go: inclusive counts of the functions that
# destroy the result, allocate, compare map keys and rebalance the map.
PARTS = (("destroying the call", "flutter::MethodCall::~MethodCall()"),
         ("allocating (operator new)", "operator new(unsigned long)"),
         ("comparing map keys", "flutter::operator<(flutter::EncodableValue const&"),
         ("rebalancing the map", "std::_Rb_tree_insert_and_rebalance("))

def profile(level, payload, operation):
    out = subprocess.run(
        ["callgrind_annotate", "--inclusive=yes", "--threshold=100",
         f"{build}/bench-native-{level}/callgrind.{payload}.{operation}"],
        capture_output=True, text=True).stdout
    parts = {}
    for line in out.splitlines():
        match = re.match(r"\s*([\d,]+) \(.*?\)\s+\S*?:(.*)", line)
        if not match:
            continue
        for name, function in PARTS:
            if match.group(2).startswith(function) and name not in parts:
                parts[name] = int(match.group(1).replace(",", "")) / calls
    return parts

def peers_table(level, runs):
    def cell(key):
        run = runs.get(key)
        if run is None:
            return "-"
        text = f"{ns(run):,.0f} ns, {run['allocs']:.0f} allocs"
        if "bytes_per_second" in run:
            text += f", {run['bytes_per_second'] / 2**30:.1f} GiB/s"
        return text

    print(f"### -{level}\n")
    print("| payload | direction | kovi | msgpack-cxx | nlohmann | floor | wire bytes (kovi / msgpack) |")
    print("|---|---|---|---|---|---|---|")
    for payload in sorted({key[0] for key in runs}):
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
    print()

checks = []
def check(text, kovi, limit, factor=1.0, strict=True):
    if kovi is None or limit is None:
        return
    ratio = kovi / limit
    met = ratio < factor if strict else ratio <= factor
    checks.append(f"| {text} | {ratio:.2f} | {'met' if met else 'NOT MET'} |")

decode_rows = []
for level in levels:
    runs = best_runs(level)
    counts = instructions(level)
    peers_table(level, runs)

    def time(payload, direction, implementation):
        run = runs.get((payload, direction, implementation))
        return None if run is None else ns(run)

    method_calls = sorted({payload for payload, _ in counts})
    for payload in ("a_event_batch", "b_supported_map", "c_method_call"):
        for peer in ("msgpack_cxx", "nlohmann"):
            check(f"-{level} {payload} encode faster than {peer}", time(payload, "encode", "kovi"),
                  time(payload, "encode", peer))
    for payload in ("a_event_batch", "b_supported_map"):
        for peer in ("msgpack_cxx", "nlohmann"):
            check(f"-{level} {payload} decode faster than {peer}", time(payload, "decode", "kovi"),
                  time(payload, "decode", peer))
    check(f"-{level} c_method_call decode faster than nlohmann",
          time("c_method_call", "decode", "kovi"), time("c_method_call", "decode", "nlohmann"))
    for payload in sorted(p for p in {key[0] for key in runs} if p.startswith("d_")):
        for direction in ("encode", "decode"):
            check(f"-{level} {payload} {direction} at least half of memcpy throughput",
                  time(payload, direction, "kovi"), time(payload, "copy", "memcpy"), 2.0,
                  strict=False)

    for payload in method_calls:
        decode, copy = counts[(payload, "decode")], counts[(payload, "copy")]
        decode_run = runs.get((payload, "decode", "kovi"))
        copy_run = runs.get((payload, "decode", "deep_copy"))
        allocs, times, allocs_met = "-", "-", True
        if decode_run and copy_run:
            allocs = f"{decode_run['allocs']:.0f} / {copy_run['allocs']:.0f}"
            allocs_met = decode_run["allocs"] <= copy_run["allocs"] + 1
            times = (f"{ns(decode_run):,.0f} / {ns(copy_run):,.0f} ns = "
                     f"{ns(decode_run) / ns(copy_run):.2f}")
        met = decode / copy <= 1.5 and allocs_met
        arguments = counts[(payload, "copy_arguments")]
        decode_rows.append(
            f"| {payload} | -{level} | {decode:,.0f} / {copy:,.0f} = {decode / copy:.2f} | "
            f"{allocs} | {times} | {'met' if met else 'NOT MET'} | "
            f"{arguments:,.0f}: {decode / arguments:.2f} |")

print("### Decode of the ~1 KB method calls against a deep copy of the call\n")
print("The copy is a deep copy of the decoded call (its name, its boxed arguments and their "
      "tree). Target: at most 1.5 times the copy's instructions, and no more allocations than "
      "the copy plus one.\n")
print("| payload | level | instructions per call, decode / copy | allocations, decode / copy | "
      "time, decode / copy (informative) | target | copy of the arguments alone: "
      "instructions, decode / it |")
print("|---|---|---|---|---|---|---|")
print("\n".join(decode_rows))
print()
print("### Where the instructions of one call go\n")
print("| payload | level | operation | in all | " + " | ".join(name for name, _ in PARTS) +
      " | the rest: parsing, building, copying |")
print("|---|---|---|---|" + "---|" * len(PARTS) + "---|")
for level in levels:
    counts = instructions(level)
    for payload in sorted({payload for payload, _ in counts}):
        for operation in ("decode", "copy"):
            total = counts[(payload, operation)]
            parts = profile(level, payload, operation)
            cells = [parts.get(name, 0) for name, _ in PARTS]
            print(f"| {payload} | -{level} | {operation} | {total:,.0f} | " +
                  " | ".join(f"{cell:,.0f}" for cell in cells) +
                  f" | {total - sum(cells):,.0f} |")
print()
print("### Other targets\n")
print("| target | kovi / reference time | result |")
print("|---|---|---|")
print("\n".join(checks))
