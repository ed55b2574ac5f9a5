#!/usr/bin/env python3
"""The table of scripts/capture-cpu.sh: CPU seconds per capture-second of each
receiver at each rate, median and range of the rounds, and kovi against the
bare receiver with the 8 kHz target met or not.

    capture_cpu_table.py RESULTS ROUNDS

RESULTS has one line per phase: receiver, rate, moves sent, process and
wineserver CPU nanoseconds, waits, milliseconds the window stayed open after
the last move, packets received. Prints Markdown.
"""
import statistics, sys
from collections import defaultdict

phases = defaultdict(list)
for line in open(sys.argv[1]):
    receiver, rate, sent, process_ns, server_ns, waited, drain_ms, received = (
        line.split() + ["0"])[:8]
    seconds = int(sent) / int(rate)
    phases[(receiver, int(rate))].append(
        {"sent": int(sent), "received": int(received or 0),
         "packets_per_wait": int(sent) / max(int(waited), 1), "drain": int(drain_ms) / 1000,
         "process": int(process_ns) / 1e9 / seconds,
         "server": int(server_ns) / 1e9 / seconds})

def spread(values, digits=3):
    return (f"{statistics.median(values):.{digits}f} "
            f"({min(values):.{digits}f}-{max(values):.{digits}f})")

print(f"CPU seconds per capture-second, median (range) of {sys.argv[2]} rounds\n")
print("| rate | receiver | moves sent | packets received | process | wineserver share | together "
      "| packets per wait | window after the last move, s |")
print("|---|---|---|---|---|---|---|---|---|")
ratios = {}
for rate in sorted({rate for _, rate in phases}):
    for receiver in ("bare", "kovi"):
        runs = phases[(receiver, rate)]
        print(f"| {rate // 1000} kHz | {receiver} | {spread([r['sent'] for r in runs], 0)} | "
              f"{spread([r['received'] for r in runs], 0)} | "
              f"{spread([r['process'] for r in runs])} | {spread([r['server'] for r in runs])} | "
              f"{spread([r['process'] + r['server'] for r in runs])} | "
              f"{spread([r['packets_per_wait'] for r in runs], 1)} | "
              f"{spread([r['drain'] for r in runs], 2)} |")
    pairs = list(zip(phases[("kovi", rate)], phases[("bare", rate)]))
    ratios[rate] = ([k["process"] / b["process"] for k, b in pairs],
                    [(k["process"] + k["server"]) / (b["process"] + b["server"]) for k, b in pairs])

print("\n| rate | kovi / bare, process | kovi / bare, together | target |")
print("|---|---|---|---|")
for rate, (process, together) in ratios.items():
    target = "-"
    if rate == 8000:
        target = "at most 1.1: " + ("met" if statistics.median(together) <= 1.1 else "NOT MET")
    print(f"| {rate // 1000} kHz | {spread(process, 2)} | {spread(together, 2)} | {target} |")
