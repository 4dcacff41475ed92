#!/usr/bin/env python3
"""Runs the benchmarks of two builds side by side and prints their figures.

usage: compare-builds.py OLD_BUILD NEW_BUILD [--rounds R] [--file FILE]

Each round runs every benchmark once for each build, one after the other, so
that both builds meet the same load on the machine; the table shows the best
of the rounds for times and memory (the median for the rewrite ratios against
cp, which are measured in the same round as their cp). The builds must
contain the benchmark programs of bench/ and torqlet-cli; OLD may be a build
of an older commit with today's bench/ copied in.
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))

# (program, figure name, pattern, target) for every figure a program prints.
FIGURES = [
    ("bench-open-big-file", "open to the painted grid (s)", r"open to shown grid: ([\d.]+) s", "<= 0.25"),
    ("bench-open-big-file", "peak memory (x file)", r"\(([\d.]+) x file size", "<= 1.8"),
    ("bench-manipulate-big-file", "x*1.1 over 2,000,000 cells (s)",
     r"x\*1\.1 over every value cell: ([\d.]+) s", "<= 0.5"),
    ("bench-undo-big-file", "undo of it until repainted (s)", r"undo of .*: ([\d.]+) s", "<= 0.3"),
    ("bench-undo-big-file", "redo of it (s)", r"redo of it: ([\d.]+) s", ""),
    ("bench-undo-big-file", "memory of the step (bytes a cell)", r"MB, ([\d.]+) bytes", "<= 24"),
    ("bench-save-big-file", "save after one edit (s)", r"save after one edit .*: ([\d.]+) s",
     "<= 0.3"),
]


def run(argv, env=None):
    start = time.perf_counter()
    result = subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env,
                            text=True)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit("failed: %s" % " ".join(argv))
    return elapsed, result.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--file", default="/tmp/torqlet-big.gci")
    args = parser.parse_args()
    if not os.path.exists(args.file):
        subprocess.check_call([sys.executable, os.path.join(HERE, "make-big-file.py"), "100000",
                               args.file])
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    builds = {"old": args.old, "new": args.new}
    values = {(build, name): [] for build in builds for _, name, _, _ in FIGURES}
    startup = {(build, mode): [] for build in builds for mode in ("empty", "torqlet")}
    rewrites = {(build, kind): [] for build in builds for kind in ("rewrite", "rebuild")}
    folder = tempfile.mkdtemp(prefix="torqlet-compare-")
    out = os.path.join(folder, "out.gci")
    programs = sorted({program for program, _, _, _ in FIGURES})
    for _ in range(args.rounds):
        for program in programs:
            for build, path in builds.items():
                _, text = run([os.path.join(path, "bench", program), args.file], env)
                for figure_program, name, pattern, _ in FIGURES:
                    if figure_program == program:
                        values[(build, name)].append(float(re.search(pattern, text).group(1)))
        for mode in ("empty", "torqlet"):
            for build, path in builds.items():
                elapsed, _ = run([os.path.join(path, "bench", "bench-startup-frame"), mode], env)
                startup[(build, mode)].append(elapsed)
        for build, path in builds.items():
            cli = os.path.join(path, "tools", "torqlet-cli")
            cp, _ = run(["cp", args.file, out])
            plain, _ = run([cli, "rewrite", args.file, out])
            rebuilt, _ = run([cli, "rewrite", "--rebuild", args.file, out])
            rewrites[(build, "rewrite")].append(plain / cp)
            rewrites[(build, "rebuild")].append(rebuilt / cp)
    os.remove(out)
    os.rmdir(folder)

    rows = [(name, min(values[("old", name)]), min(values[("new", name)]), target)
            for _, name, _, target in FIGURES]
    rows.append(("start-up against an empty window (x)",
                 min(startup[("old", "torqlet")]) / min(startup[("old", "empty")]),
                 min(startup[("new", "torqlet")]) / min(startup[("new", "empty")]), "<= 1.5"))
    rows.append(("torqlet-cli rewrite (x cp, median)", statistics.median(rewrites[("old", "rewrite")]),
                 statistics.median(rewrites[("new", "rewrite")]), "<= 4"))
    rows.append(("torqlet-cli rewrite --rebuild (x cp, median)",
                 statistics.median(rewrites[("old", "rebuild")]),
                 statistics.median(rewrites[("new", "rebuild")]), "<= 6"))
    print("best of %d rounds, old = %s, new = %s" % (args.rounds, args.old, args.new))
    print("%-46s %10s %10s  %s" % ("measure", "old", "new", "target"))
    for name, old, new, target in rows:
        print("%-46s %10.3f %10.3f  %s" % (name, old, new, target))


if __name__ == "__main__":
    main()
