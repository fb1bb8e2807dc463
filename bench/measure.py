#!/usr/bin/env python3
"""Times shell commands that each write one output file, in interleaved rounds (every command
once a round, in turn), so that a drift of the machine's speed touches them all alike.

  measure.py MODE RUNS JSON NAME=OUTPUT=COMMAND...

MODE new removes each output before its command runs, outside the timed span, so every run
creates its output; MODE existing leaves the output of the run before in place, so every run
empties an existing file first. One round before the counted ones warms the caches. COMMAND
runs under sh and writes OUTPUT. JSON receives, for every command, its wall seconds and peak
memory (KiB) of every counted run."""
import json
import os
import sys
import time


def run(command):
    """Wall seconds and peak memory (KiB) of one run of a shell command."""
    start = time.perf_counter()
    pid = os.posix_spawn("/bin/sh", ["sh", "-c", command], os.environ)
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"measure.py: failed ({status}): {command}")
    return wall, usage.ru_maxrss


def main():
    mode, runs, json_path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    if mode not in ("new", "existing"):
        sys.exit("measure.py: MODE is new or existing")
    commands = []
    for entry in sys.argv[4:]:
        name, output, command = entry.split("=", 2)
        commands.append((name, output, command))
    results = {name: {"wall": [], "peak": []} for name, _, _ in commands}
    for round_ in range(runs + 1):
        for name, output, command in commands:
            if mode == "new" and os.path.exists(output):
                os.unlink(output)
            wall, peak = run(command)
            if round_ > 0:
                results[name]["wall"].append(wall)
                results[name]["peak"].append(peak)
    for name, output, _ in commands:
        if mode == "new":
            os.unlink(output)
    with open(json_path, "w") as f:
        json.dump({"mode": mode, "results": results}, f)


if __name__ == "__main__":
    main()
