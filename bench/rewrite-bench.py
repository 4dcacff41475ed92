#!/usr/bin/env python3
"""Times torqlet-cli rewrite against cp on a large synthetic car file.

usage: rewrite-bench.py [--cars N] [--runs R] [--cli PATH]

Makes the file with make-big-file.py (100,000 cars, about 49 MB) unless it
exists, then runs, side by side in each round: cp, `rewrite` (unchanged, byte
for byte) and `rewrite --rebuild`. Reports the median wall time of each, the
ratios to cp and the peak memory of the rewrites against the file size.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(argv):
    """Runs a command; returns its wall time in seconds and its peak RSS in bytes."""
    start = time.perf_counter()
    process = subprocess.Popen(argv)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s" % " ".join(argv))
    return elapsed, usage.ru_maxrss * 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cars", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--cli", default=os.path.join(HERE, "..", "build", "tools", "torqlet-cli"))
    args = parser.parse_args()

    folder = tempfile.mkdtemp(prefix="torqlet-bench-")
    source = os.path.join(folder, "big.gci")
    subprocess.check_call([sys.executable, os.path.join(HERE, "make-big-file.py"),
                           str(args.cars), source])
    size = os.path.getsize(source)
    out = os.path.join(folder, "out.gci")
    targets = {"rewrite": 4.0, "rewrite --rebuild": 6.0}
    commands = {
        "cp": ["cp", source, out],
        "rewrite": [args.cli, "rewrite", source, out],
        "rewrite --rebuild": [args.cli, "rewrite", "--rebuild", source, out],
    }
    times = {name: [] for name in commands}
    peaks = {name: 0 for name in commands}
    for _ in range(args.runs):
        for name, argv in commands.items():
            elapsed, peak = run(argv)
            times[name].append(elapsed)
            peaks[name] = max(peaks[name], peak)

    print("file: %d cars, %.1f MB" % (args.cars, size / 1e6))
    cp = statistics.median(times["cp"])
    for name in commands:
        median = statistics.median(times[name])
        target = "  target <= %.0fx cp" % targets[name] if name in targets else ""
        print("%-18s median %.3f s  (%.1fx cp)%s  peak memory %.0f MB (%.2fx file)" % (
            name, median, median / cp, target, peaks[name] / 1e6, peaks[name] / size))
    for path in (source, out):
        os.remove(path)
    os.rmdir(folder)


if __name__ == "__main__":
    main()
