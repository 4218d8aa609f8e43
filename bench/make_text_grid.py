#!/usr/bin/env python3
"""Writes an ASCII z-value grid for the command-line benchmarks.

  make_text_grid.py OUT ROWS COLUMNS KNOWN_PERCENT [SEED]

A smooth synthetic surface (two hills on a slope) with KNOWN_PERCENT of the
postings kept and the others 0 (unknown), one grid row per line.
"""
import math
import random
import sys


def main():
    out, rows, cols, known = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
    rnd = random.Random(int(sys.argv[5]) if len(sys.argv) > 5 else 1)
    with open(out, "w") as f:
        for r in range(rows):
            vals = []
            for c in range(cols):
                if rnd.random() * 100 < known:
                    z = (200 + 0.1 * r + 0.05 * c
                         + 600 * math.exp(-((r - rows * 0.4) ** 2 + (c - cols * 0.3) ** 2) / (0.05 * rows * cols))
                         + 300 * math.exp(-((r - rows * 0.7) ** 2 + (c - cols * 0.75) ** 2) / (0.02 * rows * cols)))
                    vals.append("%.2f" % z)
                else:
                    vals.append("0")
            f.write(" ".join(vals) + "\n")


if __name__ == "__main__":
    main()
