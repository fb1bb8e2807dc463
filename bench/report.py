#!/usr/bin/env python3
"""Prints the table of bench/join-vs-peers.sh from the timings measure.py wrote.

  report.py WORK MACHINE PEAK...

WORK holds times-KIND-MODE.json; MACHINE describes the machine; each PEAK is LABEL=KIB."""
import json
import statistics
import sys

work, machine, peaks = sys.argv[1], sys.argv[2], sys.argv[3:]
kinds = {"long": "long lines (~170 B)", "short": "short lines (~41 B), 1/3 CR LF, 26 and NUL"}
limits = {"new": 1.2, "existing": 1.1}
results = {}
for kind in kinds:
    for mode in limits:
        with open(f"{work}/times-{kind}-{mode}.json") as f:
            results[kind, mode] = json.load(f)["results"]


def median(r, name):
    return statistics.median(r[name]["wall"])


def ratio(r, a, b):
    """The median of the round-by-round ratios: a drift of the machine touches both alike."""
    return statistics.median(x / y for x, y in zip(r[a]["wall"], r[b]["wall"]))


runs = len(next(iter(results.values()))["cat"]["wall"])
print(f"\nMedian wall seconds of {runs} interleaved rounds; each ratio is the median of the")
print("ratios within a round. 'new': the output is removed before each run; 'existing': each")
print("run empties the output of the run before.\n")
print("| data | output | vantrel-join | cat | x cat | mawk | x mawk | unix2dos | x unix2dos |")
print("|---|---|---|---|---|---|---|---|---|")
missed = []
for (kind, mode), r in results.items():
    row = [kinds[kind], mode, f"{median(r, 'vantrel-join'):.3f}"]
    for peer in ("cat", "mawk", "unix2dos"):
        row += [f"{median(r, peer):.3f}", f"{ratio(r, 'vantrel-join', peer):.2f}"]
    print("| " + " | ".join(row) + " |")
    if ratio(r, "vantrel-join", "cat") > limits[mode]:
        missed.append(f"x cat above {limits[mode]} on {kind} lines, {mode} output")
    if ratio(r, "vantrel-join", "mawk") >= 1:
        missed.append(f"not faster than mawk on {kind} lines, {mode} output")

print("\n| data | output | vantrel-join --buffer-size 256K | x cat |")
print("|---|---|---|---|")
for (kind, mode), r in results.items():
    print(f"| {kinds[kind]} | {mode} | {median(r, 'vantrel-join-256k'):.3f} | "
          f"{ratio(r, 'vantrel-join-256k', 'cat'):.2f} |")

print("\n| data | vantrel-join --buffer-size 128 | 128-byte copy loop | ratio |")
print("|---|---|---|---|")
for kind in kinds:
    r = results[kind, "new"]
    floor = ratio(r, "vantrel-join-128", "copy-128")
    print(f"| {kinds[kind]} | {median(r, 'vantrel-join-128'):.3f} | "
          f"{median(r, 'copy-128'):.3f} | {floor:.2f} |")
    if floor > 1.2:
        missed.append(f"128-byte join above 1.2 x the 128-byte copy on {kind} lines")

print("\n| peak memory of vantrel-join | KiB |")
print("|---|---|")
for peak in peaks:
    label, kib = peak.rsplit("=", 1)
    print(f"| {label} | {kib} |")
    if int(kib) >= 16384:
        missed.append(f"peak memory of {kib} KiB ({label})")

print(f"\nMachine: {machine}.")
print("Targets: x cat at most 1.2 (new output) and 1.1 (existing), faster than mawk, the 128-byte")
print("join at most 1.2 x the 128-byte copy, peak memory under 16 MiB: " +
      ("all met." if not missed else "missed: " + "; ".join(missed) + "."))
