#!/usr/bin/env python3
"""Runs one command of the mirroring benchmark and appends its costs to a
table: wall seconds and CPU seconds (user + system of the command and all it
waited for).

    measure.py TABLE LABEL FOLDER TIMEOUT -- COMMAND ...

The command runs in FOLDER. Appends "LABEL<TAB>wall<TAB>cpu<TAB>status". A
command that runs longer than TIMEOUT seconds is killed.
"""

import os
import signal
import subprocess
import sys
import time


def main():
    if len(sys.argv) < 7 or sys.argv[5] != "--":
        sys.exit(__doc__)
    table, label, folder, limit = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4])
    command = sys.argv[6:]
    start = time.monotonic()
    child = subprocess.Popen(command, cwd=folder, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, start_new_session=True)
    deadline = start + limit
    while True:
        pid, status, usage = os.wait4(child.pid, os.WNOHANG)
        if pid:
            break
        if time.monotonic() > deadline:
            os.killpg(child.pid, signal.SIGKILL)
            pid, status, usage = os.wait4(child.pid, 0)
            break
        time.sleep(0.002)
    wall = time.monotonic() - start
    cpu = usage.ru_utime + usage.ru_stime
    code = os.waitstatus_to_exitcode(status)
    with open(table, "a", encoding="utf-8") as out:
        out.write("%s\t%.4f\t%.4f\t%d\n" % (label, wall, cpu, code))
    sys.exit(0)


if __name__ == "__main__":
    main()
