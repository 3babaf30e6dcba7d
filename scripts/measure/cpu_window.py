#!/usr/bin/env python3
"""CPU time of groups of processes over one window of wall time.

  cpu_window.py SECONDS [NAME=PID[,PID...] ...]

Prints one line per group, "NAME PERCENT", in % of one core, and two more:
"machine PERCENT", what the whole machine spent (all cores together, so 2
busy cores are 200), and "elsewhere PERCENT", the machine less the groups:
the load of everything else, which should be near zero for a fair figure.

A process's time is the sum of its threads' run time from
/proc/PID/task/TID/schedstat, in nanoseconds. That sum loses a thread that
ends inside the window, so when the set of threads changed, the process's
utime + stime from /proc/PID/stat (which keeps ended threads, in clock ticks
of 10 ms) is used instead. A process that ends inside the window makes the
measurement fail: its time is lost.
"""

import os
import sys
import time

CLOCK_TICK = os.sysconf("SC_CLK_TCK")


def threads_ns(pid):
    tasks = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as f:
            tasks[tid] = int(f.read().split()[0])
    return tasks


def stat_ticks(text):
    """utime + stime from the text of /proc/PID/stat, in clock ticks."""
    # The command name in parentheses may hold spaces and ")"; the fields
    # after the last ")" start with the third, so utime (14) is the 12th.
    fields = text.rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def stat_ns(pid):
    with open("/proc/%d/stat" % pid) as f:
        return stat_ticks(f.read()) * 1_000_000_000 // CLOCK_TICK


def sample(pid):
    return threads_ns(pid), stat_ns(pid)


def machine_busy_ns():
    with open("/proc/stat") as f:
        cpu = [int(v) for v in f.readline().split()[1:]]
    idle = cpu[3] + cpu[4]  # idle, iowait
    return (sum(cpu[:8]) - idle) * 1_000_000_000 // CLOCK_TICK


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    seconds = float(sys.argv[1])
    groups = []
    for arg in sys.argv[2:]:
        name, _, pids = arg.partition("=")
        groups.append((name, [int(p) for p in pids.split(",") if p]))

    try:
        before = {pid: sample(pid) for _, pids in groups for pid in pids}
    except FileNotFoundError as gone:
        sys.exit("cpu_window: a process is not running: %s" % gone.filename)
    machine_before = machine_busy_ns()
    start = time.monotonic()
    time.sleep(seconds)
    try:
        after = {pid: sample(pid) for _, pids in groups for pid in pids}
    except FileNotFoundError as gone:
        sys.exit("cpu_window: a process ended inside the window: %s" % gone.filename)
    machine_after = machine_busy_ns()
    wall = time.monotonic() - start

    def spent(pid):
        (tasks0, stat0), (tasks1, stat1) = before[pid], after[pid]
        if tasks0.keys() == tasks1.keys():
            return sum(tasks1.values()) - sum(tasks0.values())
        return stat1 - stat0

    ours = 0
    for name, pids in groups:
        ns = sum(spent(pid) for pid in pids)
        ours += ns
        print("%s %.3f" % (name, ns / wall / 1e7))
    machine = (machine_after - machine_before) / wall / 1e7
    print("machine %.3f" % machine)
    print("elsewhere %.3f" % max(0.0, machine - ours / wall / 1e7))
    return 0


if __name__ == "__main__":
    sys.exit(main())
