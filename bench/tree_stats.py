#!/usr/bin/env python3
"""Figures of a process and everything it started, read from /proc.
   tree_stats.py pss PID…   proportional set size of the trees together, in MiB
   tree_stats.py count PID… how many processes the trees hold together
   tree_stats.py cpu PID    CPU seconds the tree has used so far
   tree_stats.py wakeups PID  context switches of the process itself so far"""
import os
import sys


def parents():
    result = {}
    for entry in os.listdir('/proc'):
        if entry.isdigit():
            try:
                with open(f'/proc/{entry}/stat') as stat:
                    fields = stat.read().rsplit(')', 1)[1].split()
                result[int(entry)] = int(fields[1])
            except OSError:
                pass
    return result


def tree(root):
    links = parents()
    members = {root}
    grew = True
    while grew:
        grew = False
        for pid, parent in links.items():
            if parent in members and pid not in members:
                members.add(pid)
                grew = True
    return members


def pss(pid):
    try:
        with open(f'/proc/{pid}/smaps_rollup') as rollup:
            for line in rollup:
                if line.startswith('Pss:'):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def cpu(pid):
    try:
        with open(f'/proc/{pid}/stat') as stat:
            fields = stat.read().rsplit(')', 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')
    except OSError:
        return 0.0


def wakeups(pid):
    total = 0
    try:
        with open(f'/proc/{pid}/status') as status:
            for line in status:
                if line.startswith(('voluntary_ctxt_switches', 'nonvoluntary_ctxt_switches')):
                    total += int(line.split()[1])
    except OSError:
        pass
    return total


what, root = sys.argv[1], int(sys.argv[2])
members = set().union(*(tree(int(pid)) for pid in sys.argv[2:]))
if what == 'pss':
    print(f'{sum(pss(pid) for pid in members) / 1024:.1f}')
elif what == 'count':
    print(len(members))
elif what == 'cpu':
    print(f'{sum(cpu(pid) for pid in tree(root)):.2f}')
else:
    print(wakeups(root))
