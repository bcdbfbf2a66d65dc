#!/usr/bin/env python3
"""Turns the benchmark's JSON and the peer's into one table of figures and targets."""
import json
import sys

SCALE = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def medians(path):
    with open(path) as file:
        runs = json.load(file)["benchmarks"]
    result = {}
    for run in runs:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name = run["run_name"]
        if run.get("run_type") == "iteration" and name in result:
            continue
        result[name] = run
    return result


def seconds(run):
    return run["real_time"] * SCALE[run["time_unit"]]


def find(runs, prefix):
    for name, run in runs.items():
        if name.startswith(prefix):
            return run
    raise SystemExit(f"no benchmark {prefix} in the results")


def main():
    runs = medians(sys.argv[1])
    with open(sys.argv[2]) as file:
        peer = json.load(file)

    rows = []

    def at_most(figure, run, limit_ms):
        ms = seconds(run) * 1e3
        rows.append((figure, f"<= {limit_ms:g} ms", f"{ms:.4f} ms", ms <= limit_ms, ""))

    ours = find(runs, "ListFileToEntries")
    our_rate = ours["bytes"] / seconds(ours)
    peer_rate = peer["bytes"] / peer["median_seconds"]
    ratio = our_rate / peer_rate
    rows.append(("list file -> entries, 100,000 lines", ">= 3 x peer",
                 f"{our_rate / 1e6:.0f} MB/s ({seconds(ours) * 1e3:.2f} ms)", ratio >= 3,
                 f"{ratio:.1f} x (peer {peer_rate / 1e6:.0f} MB/s)"))
    at_most("100,000 entries into the kaomoji list", find(runs, "KaomojiListFill"), 40)
    at_most("drop-down open, 100,000 entries", find(runs, "DropDownOpen"), 16)
    at_most("start-up, both lists 1,000 entries", find(runs, "StartUp"), 100)
    small = seconds(find(runs, "InsertAndPublishAtLength/100/")) * 1e3
    rows.append(("insertAndPublish at 100 chars", "(none)", f"{small:.4f} ms", None, ""))
    at_most("insertAndPublish at 10,000 chars", find(runs, "InsertAndPublishAtLength/10000/"), 1)
    at_most("insertAndPublish at 1,048,576 chars", find(runs, "InsertAndPublishAtLength/1048576/"), 16)
    floor = seconds(find(runs, "ClipboardFloorAtLength/1048576/")) * 1e3
    # Microseconds: the floor is far below the other figures.
    rows.append(("clipboard floor at 1,048,576 chars", "(none)", f"{floor * 1e3:.2f} us", None,
                 ""))
    largest = seconds(find(runs, "InsertAndPublishAtLength/1048576/")) * 1e3
    rows.append(("insertAndPublish at 1,048,576 / floor", "(none)", f"{largest / floor:.1f} x",
                 None, ""))
    at_most("typed key at 1,048,576 chars", find(runs, "TypedKeyAt/1048576/"), 16)
    at_most("character count after a key, 100,000 chars", find(runs, "CharacterCountAt/100000"), 0.1)
    peak = find(runs, "PeakMemory")["peak_bytes"] / 2**20
    rows.append(("peak memory, both lists 100,000", "<= 80 MB", f"{peak:.1f} MB",
                 0 < peak <= 80, ""))

    header = ("figure", "target", "measured", "result", "vs peer")
    verdict = {True: "PASS", False: "FAIL", None: "-"}
    table = [header] + [(f, t, m, verdict[ok], p) for f, t, m, ok, p in rows]
    widths = [max(len(row[i]) for row in table) for i in range(len(header))]
    for index, row in enumerate(table):
        print(" | ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())
        if index == 0:
            print("-+-".join("-" * width for width in widths))
    return 0 if all(ok is not False for *_, ok, _ in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
