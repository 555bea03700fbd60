#!/usr/bin/env python3
"""Draws the launcher's icon and writes lorvex.ico: 64, 32 and 16 pixels, 32 bits.

A rounded blue square with a white pulse line, drawn with 4x4 supersampling
and stored as plain 32-bit DIB entries (colour with alpha, empty AND mask),
which every Windows version reads. Standard library only:

    python3 make_icon.py lorvex.ico
"""
import math
import struct
import sys

SIZES = (64, 32, 16)
SAMPLES = 4
# The pulse line in a unit square, left to right.
PULSE = [(0.14, 0.55), (0.36, 0.55), (0.45, 0.30), (0.56, 0.76), (0.65, 0.48),
         (0.70, 0.55), (0.86, 0.55)]
TOP = (66, 133, 244)
BOTTOM = (25, 80, 170)


def inside_rounded_square(x, y, radius):
    """Whether the point (unit square) lies inside the square with round corners."""
    margin = 0.04
    lo, hi = margin + radius, 1 - margin - radius
    cx, cy = min(max(x, lo), hi), min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def on_pulse(x, y, width):
    return min(distance_to_segment(x, y, PULSE[i], PULSE[i + 1])
               for i in range(len(PULSE) - 1)) <= width / 2


def pixel(size, column, row):
    """BGRA (alpha not premultiplied) of one pixel, averaged over its samples."""
    line_width = max(0.075, 1.6 / size)
    covered = white = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (column + (sx + 0.5) / SAMPLES) / size
            y = (row + (sy + 0.5) / SAMPLES) / size
            if inside_rounded_square(x, y, 0.18):
                covered += 1
                if on_pulse(x, y, line_width):
                    white += 1
    if covered == 0:
        return bytes((0, 0, 0, 0))
    t = row / max(1, size - 1)
    base = [TOP[i] + (BOTTOM[i] - TOP[i]) * t for i in range(3)]
    share = white / covered
    r, g, b = (round(c + (255 - c) * share) for c in base)
    alpha = round(255 * covered / SAMPLES ** 2)
    return bytes((b, g, r, alpha))


def dib_entry(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    # Rows bottom-up, then the AND mask: one bit a pixel, rows padded to 32 bits.
    colours = b''.join(pixel(size, column, row)
                       for row in reversed(range(size)) for column in range(size))
    mask = bytes(((size + 31) // 32) * 4 * size)
    return header + colours + mask


def icon_file():
    entries = [dib_entry(size) for size in SIZES]
    directory = struct.pack('<HHH', 0, 1, len(entries))
    offset = len(directory) + 16 * len(entries)
    for size, data in zip(SIZES, entries):
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32,
                                 len(data), offset)
        offset += len(data)
    return directory + b''.join(entries)


if __name__ == '__main__':
    with open(sys.argv[1] if len(sys.argv) > 1 else 'lorvex.ico', 'wb') as out:
        out.write(icon_file())
