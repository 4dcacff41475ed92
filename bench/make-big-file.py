#!/usr/bin/env python3
"""Writes a synthetic car file of many cars for the benchmarks.

usage: make-big-file.py CARS OUT

The cars follow the stock layout with varied names and values, every section
followed by an empty line, so the file loads and rebuilds like a real one.
"""
import random
import sys

COMMENTS = ["model", "turbo", "value", "pad", "mass", "front drive bias", "front mass bias",
            "brake friction", "turn in", "turn ratio", "rear end stability",
            "handbrake slide value", "thrust", "max_speed", "anti strength", "skid threshhold",
            "gear1 multiplier", "gear2 multiplier", "gear3 multiplier", "gear2 speed",
            "gear3 speed"]


def block(rng, index):
    lines = ["{Synthetic car %d}" % index,
             "%d {model}" % index, "%d {turbo}" % rng.randint(0, 1),
             "%d {value}" % rng.randint(10, 150), "0 {pad}"]
    for comment in COMMENTS[4:]:
        lines.append("f%.3f {%s}" % (rng.randint(0, 40000) / 1000.0, comment))
    return "\r\n".join(lines)


def main():
    cars, out = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(4711)
    parts = ["{**********************\r\nSynthetic benchmark file\r\n**********************}"]
    parts += [block(rng, i) for i in range(cars)]
    with open(out, "wb") as f:
        f.write(("\r\n\r\n".join(parts) + "\r\n\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
