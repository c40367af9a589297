#!/usr/bin/env python3
"""Draws the window background picture MARLO192.FON: a soft, pale marble on paper,
192 by 192 pixels, that tiles without seams. The file is a plain 24-bit Windows
bitmap despite its name. Standard library only; the same output on every run.

    python3 assets/make_texture.py [OUTPUT]     (default: MARLO192.FON beside this script)
"""
import math
import os
import random
import struct
import sys

SIZE = 192
SEED = 192


class PeriodicNoise:
    """Value noise on a lattice that wraps around, so the picture's edges meet."""

    def __init__(self, cells, rng):
        self.cells = cells
        self.values = [[rng.random() for _ in range(cells)] for _ in range(cells)]

    def at(self, x, y):
        # x, y in [0, 1): position within the tile.
        gx, gy = x * self.cells, y * self.cells
        x0, y0 = int(gx), int(gy)
        fx, fy = gx - x0, gy - y0
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        x0, y0 = x0 % self.cells, y0 % self.cells
        x1, y1 = (x0 + 1) % self.cells, (y0 + 1) % self.cells
        v = self.values
        top = v[y0][x0] + (v[y0][x1] - v[y0][x0]) * sx
        bottom = v[y1][x0] + (v[y1][x1] - v[y1][x0]) * sx
        return top + (bottom - top) * sy


def turbulence(octaves, x, y):
    total, weight, norm = 0.0, 1.0, 0.0
    for noise in octaves:
        total += weight * noise.at(x, y)
        norm += weight
        weight *= 0.5
    return total / norm


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def render():
    rng = random.Random(SEED)
    veins = [PeriodicNoise(cells, rng) for cells in (3, 6, 12, 24)]
    grain = PeriodicNoise(48, rng)
    paper = (238, 233, 222)
    vein = (196, 200, 207)
    warm = (226, 214, 196)
    rows = []
    for j in range(SIZE):
        y = j / SIZE
        row = []
        for i in range(SIZE):
            x = i / SIZE
            t = turbulence(veins, x, y)
            # Veins where a diagonal wave, bent by the noise, crosses zero; whole
            # periods across the tile keep it seamless.
            phase = 2 * math.pi * (x + y) + 9.0 * t
            band = (1 - abs(math.sin(phase))) ** 10  # thin, soft veins
            colour = mix(paper, warm, 0.6 * t)
            colour = mix(colour, vein, 0.75 * band)
            shade = 0.97 + 0.06 * grain.at(x, y)  # paper grain
            row.append(tuple(max(0, min(255, round(c * shade))) for c in colour))
        rows.append(row)
    return rows


def bitmap_bytes(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up, as a positive height says
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pixels


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                                 "MARLO192.FON")
    with open(output, "wb") as f:
        f.write(bitmap_bytes(render()))


if __name__ == "__main__":
    main()
