#!/usr/bin/env python3
"""Peak memory of torqlet-cli on files made to cost memory.

usage: hostile-memory.py [--cli PATH]

Loading holds the content and the cars: at most about three times the file for
the smallest cars that parse. Rebuilding holds the cars and the new content,
which can be nearly three times the old one (" }" becomes "f0.000 { }") and
grows as it is built. Beyond the tool's own start-up memory, loading (a
`rewrite` of the file unchanged) may take at most 4 times the file, and
`rewrite --rebuild` at most 3 times the file and the rebuilt file together.
Prints each figure beside its bound; exits 1 when one is broken. Not
comparable under sanitizers.
"""
import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
MIB = 1 << 20


def peak(argv):
    """Runs a command quietly; returns its peak RSS in MiB (it must succeed)."""
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s" % " ".join(argv))
    return usage.ru_maxrss / 1024


def write_in_child(path, make):
    """Writes the bytes that make() returns to path from a forked child."""
    pid = os.fork()
    if pid == 0:
        with open(path, "wb") as f:
            f.write(make())
        os._exit(0)
    _, status = os.waitpid(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("could not write %s" % path)


def block(name, model):
    lines = ["{%s}" % name, "%d {model}" % model, "0 {turbo}", "50 {value}", "0 {pad}"]
    lines += ["f1.000 {v%d}" % i for i in range(17)]
    return "\r\n".join(lines).encode()


def car_file(comment, blocks):
    return b"{" + comment + b"}\r\n\r\n" + b"".join(b + b"\r\n\r\n" for b in blocks)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default=os.path.join(HERE, "..", "build", "tools", "torqlet-cli"))
    cli = parser.parse_args().cli
    folder = tempfile.mkdtemp(prefix="torqlet-memory-")
    path, out = os.path.join(folder, "in.gci"), os.path.join(folder, "out.gci")
    with open(path, "wb") as f:
        f.write(car_file(b"h", [block("A", 1)]))
    start = peak([cli, "info", path])
    smallest = b"}" + b"\r\n }" * 21 + b"\r\n\r\n"
    # Each made by a child process of its own: a child starts with the memory
    # its parent holds, which would count as the tool's own, and memory this
    # process let go of may still be its own.
    files = {
        "20,000 ordinary cars": lambda: car_file(b"many", [block("Car %d" % i, i)
                                                          for i in range(20000)]),
        "300,000 smallest cars": lambda: b"}\r\n\r\n" + smallest * 300000,
        "10 million lines in one car": lambda: car_file(b"h", [block("A", 1) + b"\r\nx" * 10000000]),
        "a header of 32 MiB": lambda: car_file(b"n" * (32 << 20), [block("A", 1)]),
    }
    broken = False
    print("start-up: %.1f MiB" % start)
    for name, make in files.items():
        write_in_child(path, make)
        size = os.path.getsize(path) / MIB
        load = peak([cli, "rewrite", path, out]) - start
        rebuild = peak([cli, "rewrite", "--rebuild", path, out]) - start
        rebuilt = os.path.getsize(out) / MIB
        broken |= load > 4 * size or rebuild > 3 * (size + rebuilt)
        print("%-28s %6.1f MiB: load %6.1f MiB (bound %6.1f), rebuild %6.1f MiB (bound %6.1f)"
              % (name, size, load, 4 * size, rebuild, 3 * (size + rebuilt)))
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
