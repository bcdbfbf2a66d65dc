#!/usr/bin/env python3
"""The peer of the list-file figure: CPython's own cp932 codec does the same job (read the
bytes, decode, split into entries) on the same file. Prints its median as JSON."""
import json
import statistics
import sys
import time


def entries(path):
    with open(path, "rb") as file:
        data = file.read()
    text = data.decode("cp932", errors="replace")
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def main():
    path, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 30
    times = []
    count = 0
    for _ in range(runs):
        start = time.perf_counter()
        count = len(entries(path))
        times.append(time.perf_counter() - start)
    with open(path, "rb") as file:
        size = len(file.read())
    json.dump({"median_seconds": statistics.median(times), "bytes": size, "entries": count},
              sys.stdout)
    print()


if __name__ == "__main__":
    main()
