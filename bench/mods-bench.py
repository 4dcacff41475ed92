#!/usr/bin/env python3
"""Times torqlet-cli's mod commands against cp on large synthetic car files.

usage: mods-bench.py [--cars N] [--runs R] [--cli PATH]

Makes a base file with make-big-file.py (100,000 cars, about 49 MB), two mods
of it (every mass times 1.1; the turbo of one car in ten plus one),
then runs, side by side in each round: cp, export, diff, diff --patch, patch
(onto a copy of the base) and merge. Reports the median wall time of each
against cp, and the peak memory against one file's size per input held.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(argv, statuses=(0,)):
    """Runs a command quietly; returns its wall time and peak RSS in bytes."""
    start = time.perf_counter()
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) not in statuses:
        sys.exit("failed: %s" % " ".join(argv))
    return elapsed, usage.ru_maxrss * 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cars", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--cli", default=os.path.join(HERE, "..", "build", "tools", "torqlet-cli"))
    args = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="torqlet-mods-")
    path = lambda name: os.path.join(folder, name)
    subprocess.check_call([sys.executable, os.path.join(HERE, "make-big-file.py"),
                           str(args.cars), path("base.gci")])
    size = os.path.getsize(path("base.gci"))
    cli = args.cli
    for mod, options in (("ours.gci", ["x*1.1", "--column", "mass"]),
                         ("theirs.gci", ["x+1", "--column", "turbo", "--car", "*0"])):
        subprocess.check_call([cli, "apply", path("base.gci")] + options + ["-o", path(mod)],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(path("ours.patch"), "wb") as patch:
        subprocess.run([cli, "diff", "--patch", path("base.gci"), path("ours.gci")], stdout=patch)
    # Command, its targets (seconds; peak memory per input held, in file sizes),
    # the inputs it holds and the exit statuses that mean success.
    commands = {
        "cp": (["cp", path("base.gci"), path("copy.gci")], None, 1, (0,)),
        "export": ([cli, "export", path("base.gci")], 0.3, 1, (0,)),
        "diff": ([cli, "diff", path("base.gci"), path("ours.gci")], 0.5, 2, (1,)),
        "diff --patch": ([cli, "diff", "--patch", path("base.gci"), path("ours.gci")], 0.5, 2, (1,)),
        "patch": ([cli, "patch", path("target.gci"), path("ours.patch")], 0.5, 1, (0,)),
        "merge": ([cli, "merge", path("base.gci"), path("ours.gci"), path("theirs.gci"), "-o",
                   path("merged.gci")], 0.5, 3, (0,)),
    }
    times = {name: [] for name in commands}
    peaks = {name: 0 for name in commands}
    for _ in range(args.runs):
        for name, (argv, _, _, statuses) in commands.items():
            if name == "patch":
                shutil.copyfile(path("base.gci"), path("target.gci"))
            elapsed, peak = run(argv, statuses)
            times[name].append(elapsed)
            peaks[name] = max(peaks[name], peak)
    cp = statistics.median(times["cp"])
    print("file: %d cars, %.1f MB; median of %d runs" % (args.cars, size / 1e6, args.runs))
    for name, (_, target, inputs, _) in commands.items():
        median = statistics.median(times[name])
        line = "%-13s %.3f s (%.1fx cp)" % (name, median, median / cp)
        if target:
            memory = peaks[name] / size / inputs
            line += ", peak %.0f MB = %.2fx the file per input (targets: %.1f s, 2.5x)" % (
                peaks[name] / 1e6, memory, target)
        print(line)
    shutil.rmtree(folder)


if __name__ == "__main__":
    main()
