#!/usr/bin/env python3
"""Prints the mirroring benchmark's figures from the tables measure.py and
the script wrote.

    report.py TIMES SYSCALLS PAGES

TIMES: "site/client<TAB>wall<TAB>cpu<TAB>status" a run (several runs a pair).
SYSCALLS: "site/client<TAB>calls" (empty when strace is not installed).
PAGES: "site<TAB>files" (the files each client fetches from the site).
The site "one" is the one-page site: its medians are each client's start-up
and end, taken off every other site's figures to give the run phase.
"""

import statistics
import sys

CLIENTS = ("kelpa", "wget", "plain")


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            if line.strip():
                rows.append(line.rstrip("\n").split("\t"))
    return rows


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    walls, cpus = {}, {}
    for label, wall, cpu, status in read_table(sys.argv[1]):
        if status != "0":
            print("note: %s ended with status %s in one run" % (label, status))
        walls.setdefault(label, []).append(float(wall))
        cpus.setdefault(label, []).append(float(cpu))
    calls = {label: int(n) for label, n in read_table(sys.argv[2])}
    pages = {site: int(n) for site, n in read_table(sys.argv[3])}
    wall = {label: statistics.median(v) for label, v in walls.items()}
    cpu = {label: statistics.median(v) for label, v in cpus.items()}
    runs = min(len(v) for v in walls.values())

    print("Medians of %d interleaved runs; run phase = total - one-page run." % runs)
    print("%-12s %-6s %8s %8s %10s %10s %10s" % (
        "site", "client", "wall s", "CPU s", "run ms/p", "CPU ms/p", "calls/p"))
    for client in CLIENTS:
        key = "one/" + client
        print("%-12s %-6s %8.3f %8.3f %10s %10s %10s" % (
            "one page", client, wall[key], cpu[key], "", "", calls.get(key, "")))
    for site, count in pages.items():
        per_page = {}
        for client in CLIENTS:
            key, one = site + "/" + client, "one/" + client
            run_wall = (wall[key] - wall[one]) * 1000 / count
            run_cpu = (cpu[key] - cpu[one]) * 1000 / count
            syscalls = ""
            if key in calls and one in calls:
                syscalls = "%.0f" % ((calls[key] - calls[one]) / count)
            per_page[client] = (run_wall, run_cpu)
            print("%-12s %-6s %8.3f %8.3f %10.3f %10.3f %10s" % (
                "%s (%d)" % (site, count), client, wall[key], cpu[key], run_wall, run_cpu,
                syscalls))
        for other in ("wget", "plain"):
            print("%-12s kelpa/%-5s run phase: wall %.2f, CPU %.2f" % (
                site, other, per_page["kelpa"][0] / per_page[other][0],
                per_page["kelpa"][1] / per_page[other][1]))


if __name__ == "__main__":
    main()
