#!/usr/bin/env python3
"""Peak memory of torqlet-cli on files made to cost memory.

usage: hostile-memory.py [--cli PATH]

Loading holds the content and the cars: at most about three times the file for
the smallest cars that parse. Rebuilding holds the cars and the new content,
which can be nearly three times the old one (" }" becomes "f0.000 { }") and
grows as it is built. Beyond the tool's own start-up memory, loading (a
`rewrite` of the file unchanged) may take at most 4 times the file, and
`rewrite --rebuild` at most 3 times the file and the rebuilt file together.
An `import` table may take at most 3 times its size beyond what the car file
takes (measured with a table of one line), whether it is taken or refused.
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


def peak(argv, status_wanted=0):
    """Runs a command quietly; returns its peak RSS in MiB (it must end with
    the status wanted)."""
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != status_wanted:
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
    broken |= tables(cli, folder)
    return 1 if broken else 0


def tables(cli, folder):
    """Peak memory of import on tables made to cost memory; true when one
    breaks its bound."""
    cars = os.path.join(folder, "cars.gci")
    table = os.path.join(folder, "table.tsv")
    names = ["Car %d" % i for i in range(20000)]
    write_in_child(cars, lambda: car_file(b"many", [block(n, i) for i, n in enumerate(names)]))
    # The export's whole table, with every car's first float value changed.
    heading = b"\tmodel\tturbo\tvalue\tpad\t" + b"\t".join(b"v%d" % i for i in range(17)) + b"\n"
    floats = b"\t2.500" + b"\t1.000" * 16
    rows = b"".join(b"%s\t%d\t0\t50\t0%s\n" % (n.encode(), i, floats) for i, n in enumerate(names))
    write_in_child(table, lambda: heading + rows[:rows.index(b"\n") + 1])
    base = peak([cli, "import", table, cars, "-o", os.path.join(folder, "out.gci")])
    made = {
        "every car's value changed": (lambda: heading + rows, 0),
        "10 MiB of line feeds": (lambda: b"\n" * (10 * MIB), 1),
        "30 MiB of line feeds after a heading": (lambda: heading + b"\n" * (30 * MIB), 1),
        "50 MiB of TABs on one line": (lambda: b"\t" * (50 * MIB), 1),
        "a name of 30 MiB in quotes": (lambda: heading + b'"' + b"n" * (30 * MIB) + b'"\t1\t2\n', 1),
        "5 million empty rows": (lambda: heading + b"\t\t\n" * (5 * MIB), 1),
    }
    broken = False
    print("import tables beside 20,000 cars (%.1f MiB for the cars and a table of one line):"
          % base)
    for name, (make, status) in made.items():
        write_in_child(table, make)
        size = os.path.getsize(table) / MIB
        used = peak([cli, "import", table, cars, "-o", os.path.join(folder, "out.gci")],
                    status) - base
        broken |= used > 3 * size
        print("  %-38s %6.1f MiB: %6.1f MiB (bound %6.1f)" % (name, size, used, 3 * size))
    return broken


if __name__ == "__main__":
    sys.exit(main())
