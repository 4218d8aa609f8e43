#!/usr/bin/python3
"""Punches voids into an SRTM height file for the fill benchmarks.

  make_void_tile.py IN.hgt OUT.hgt PERCENT [SEED] [--holes HOLES.npy]

Discs of random radius (2 to 20 postings) at random places become -32768
until PERCENT of the tile's valid postings are void (postings that are void
already are not counted). With --holes the boolean mask of the punched
postings is saved as well (for the quality comparison). Needs numpy.
"""
import sys

import numpy as np


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    holes_path = sys.argv[sys.argv.index("--holes") + 1] if "--holes" in sys.argv else None
    if holes_path in args:
        args.remove(holes_path)
    src, out, percent = args[0], args[1], float(args[2])
    rng = np.random.default_rng(int(args[3]) if len(args) > 3 else 1)
    a = np.fromfile(src, dtype=">i2")
    n = int(np.sqrt(a.size))
    a = a[:n * n].reshape(n, n).astype(np.int32)
    valid = a != -32768
    target = int(valid.sum() * percent / 100.0)
    holes = np.zeros((n, n), dtype=bool)
    rows, cols = np.ogrid[:n, :n]
    punched = 0
    while punched < target:
        r, c, radius = rng.integers(0, n), rng.integers(0, n), rng.integers(2, 21)
        r0, r1, c0, c1 = max(0, r - radius), min(n, r + radius + 1), max(0, c - radius), min(n, c + radius + 1)
        disc = (rows[r0:r1] - r) ** 2 + (cols[:, c0:c1] - c) ** 2 <= radius * radius
        block = holes[r0:r1, c0:c1]
        new = disc & ~block & valid[r0:r1, c0:c1]
        block |= new
        punched += int(new.sum())
    a[holes] = -32768
    a.astype(">i2").tofile(out)
    if holes_path:
        np.save(holes_path, holes)
    print("%s: %d x %d, %d postings punched (%.1f %% of the valid ones)" % (out, n, n, punched,
                                                                           100.0 * punched / valid.sum()))


if __name__ == "__main__":
    main()
