#!/usr/bin/env python3
"""Cuts a square SRTM height file into a K x K set of overlapping sub-tiles named as
neighbours, optionally punching voids (-32768) into the mosaic first.

  make_tile_set.py SRC.hgt K SIDE OUT_DIR [--corner LAT LON] [--void ROW COL ROWS COLS]...
                   [--voids-percent P --seed S]

Sub-tile (i, j) holds mosaic rows i*(SIDE-1) .. i*(SIDE-1)+SIDE-1 (north first) and the same
columns: neighbours share one row or column, as SRTM tiles do. It is named after its south-west
corner, the north-west sub-tile being N(LAT+K-1)E(LON). --voids-percent punches square voids of
5 to 40 postings a side at random places until P % of the mosaic is void. --mosaic FILE also
writes the voided mosaic itself (for the fill of the whole mosaic at once)."""
import argparse, array, os, random

p = argparse.ArgumentParser()
p.add_argument("src"); p.add_argument("k", type=int); p.add_argument("side", type=int); p.add_argument("out")
p.add_argument("--corner", nargs=2, type=int, default=[49, 11])
p.add_argument("--void", nargs=4, type=int, action="append", default=[])
p.add_argument("--voids-percent", type=float, default=0.0)
p.add_argument("--seed", type=int, default=1)
p.add_argument("--mosaic")
a = p.parse_args()

data = open(a.src, "rb").read()
n = int(round((len(data) // 2) ** 0.5))
m = a.k * (a.side - 1) + 1
assert m <= n, f"{a.k} x {a.side} sub-tiles need {m} postings, the file has {n}"
src = array.array("h"); src.frombytes(data); src.byteswap()
mosaic = array.array("h", bytes(2 * m * m))
for r in range(m):
    mosaic[r * m:(r + 1) * m] = src[r * n:r * n + m]

def punch(r0, c0, h, w):
    for r in range(max(0, r0), min(m, r0 + h)):
        for c in range(max(0, c0), min(m, c0 + w)):
            mosaic[r * m + c] = -32768

for v in a.void:
    punch(*v)
rng = random.Random(a.seed)
goal = int(m * m * a.voids_percent / 100)
while sum(1 for v in mosaic if v == -32768) < goal:
    s = rng.randint(5, 40)
    punch(rng.randrange(m), rng.randrange(m), s, s)

os.makedirs(a.out, exist_ok=True)
for i in range(a.k):
    for j in range(a.k):
        t = array.array("h")
        for r in range(i * (a.side - 1), i * (a.side - 1) + a.side):
            t.extend(mosaic[r * m + j * (a.side - 1): r * m + j * (a.side - 1) + a.side])
        t.byteswap()
        lat, lon = a.corner[0] + a.k - 1 - i, a.corner[1] + j
        name = f"{'N' if lat >= 0 else 'S'}{abs(lat):02d}{'E' if lon >= 0 else 'W'}{abs(lon):03d}.hgt"
        open(os.path.join(a.out, name), "wb").write(t.tobytes())
if a.mosaic:
    out = array.array("h", mosaic); out.byteswap()
    open(a.mosaic, "wb").write(out.tobytes())
