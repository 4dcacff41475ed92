#!/usr/bin/env python3
"""Draws Torqlet's icon: a blue tile with a white value grid and an orange
wheel over its lower right corner. Writes resources/torqlet-SIZE.png for
16, 32, 48 and 64 pixels (the windows' icon) and 128 and 256 pixels (the
desktop's icon theme).

Pure Python (zlib only): every pixel is sampled 4x4 for smooth edges.
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

BLUE = (28, 64, 122)
WHITE = (245, 247, 250)
ORANGE = (240, 132, 28)
DARK = (40, 40, 40)


def colour_at(x, y):
    """Colour (r, g, b, a) at a point of the unit square, or None outside."""
    # Rounded tile.
    r = 0.16
    cx, cy = min(max(x, r), 1 - r), min(max(y, r), 1 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return None
    # Wheel: tyre, rim, hub and five spokes.
    wx, wy, d = x - 0.68, y - 0.68, math.hypot(x - 0.68, y - 0.68)
    if d < 0.28:
        if d > 0.21:
            return DARK
        if d < 0.05:
            return DARK
        angle = math.atan2(wy, wx)
        spoke = min(abs(((angle - k * 2 * math.pi / 5 + math.pi) % (2 * math.pi)) - math.pi)
                    for k in range(5))
        if spoke * d < 0.025:
            return DARK
        return ORANGE
    # Grid of cells: three columns, four rows.
    if 0.12 < x < 0.88 and 0.14 < y < 0.86:
        gx, gy = (x - 0.12) / 0.76 * 3, (y - 0.14) / 0.72 * 4
        if min(gx % 1, 1 - gx % 1) < 0.06 or min(gy % 1, 1 - gy % 1) < 0.08:
            return WHITE
    return BLUE


def render(size):
    rows = []
    samples = 4
    for py in range(size):
        row = bytearray([0])
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size,
                                  (py + (sy + 0.5) / samples) / size)
                    if c:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 255
            n = samples * samples
            alpha = acc[3] // n
            if alpha:
                covered = acc[3] / 255
                row += bytes([int(acc[0] / covered), int(acc[1] / covered),
                              int(acc[2] / covered), alpha])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b"".join(rows)


def png(size, pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


for size in (16, 32, 48, 64, 128, 256):
    with open(os.path.join(ROOT, "resources", "torqlet-%d.png" % size), "wb") as f:
        f.write(png(size, render(size)))
