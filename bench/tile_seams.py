#!/usr/bin/env python3
"""Seam figures of a filled K x K tile set (made by make_tile_set.py).

  tile_seams.py K SIDE ORIGINAL_MOSAIC VOIDED_MOSAIC WHOLE_FILL OUT_DIR [--corner LAT LON] [--near N]

ORIGINAL_MOSAIC: the mosaic before the voids were punched (raw big-endian, the first
K*(SIDE-1)+1 rows and columns of the source height file); VOIDED_MOSAIC: the same with
the voids; WHOLE_FILL: the voided mosaic filled at once (gridmend-cli fill). Prints the
largest difference between the postings two neighbouring outputs share, and over the
filled postings within N postings of an inner tile border (default 50): the RMSE
against the whole-mosaic fill and against the original terrain."""
import argparse, array, math, os

p = argparse.ArgumentParser()
p.add_argument("k", type=int); p.add_argument("side", type=int)
p.add_argument("original"); p.add_argument("voided"); p.add_argument("whole"); p.add_argument("out")
p.add_argument("--corner", nargs=2, type=int, default=[49, 11])
p.add_argument("--near", type=int, default=50)
p.add_argument("--all", action="store_true", help="every filled posting, not only those near a border")
a = p.parse_args()
m = a.k * (a.side - 1) + 1

def load(path, width=None):
    t = array.array("h"); t.frombytes(open(path, "rb").read()); t.byteswap()
    n = int(round(len(t) ** 0.5))
    return t, n

def mosaic_of(path):
    t, n = load(path)
    return [t[r * n:r * n + m] for r in range(m)]

original, voided, whole = mosaic_of(a.original), mosaic_of(a.voided), mosaic_of(a.whole)

def name(i, j):
    lat, lon = a.corner[0] + a.k - 1 - i, a.corner[1] + j
    return f"{'N' if lat >= 0 else 'S'}{abs(lat):02d}{'E' if lon >= 0 else 'W'}{abs(lon):03d}.hgt"

tiles = {}
for i in range(a.k):
    for j in range(a.k):
        t, n = load(os.path.join(a.out, name(i, j)))
        tiles[i, j] = t
s = a.side
seam = 0
for (i, j), t in tiles.items():
    if j + 1 < a.k:
        e = tiles[i, j + 1]
        seam = max(seam, max(abs(t[r * s + s - 1] - e[r * s]) for r in range(s)))
    if i + 1 < a.k:
        so = tiles[i + 1, j]
        seam = max(seam, max(abs(t[(s - 1) * s + c] - so[c]) for c in range(s)))

borders = [b * (s - 1) for b in range(1, a.k)]
sq_whole = sq_truth = count = truths = worst = 0
for (i, j), t in tiles.items():
    for r in range(s):
        R = i * (s - 1) + r
        near_r = any(abs(R - b) <= a.near for b in borders)
        for c in range(s):
            C = j * (s - 1) + c
            if voided[R][C] >= -1000:
                continue
            if not (a.all or near_r or any(abs(C - b) <= a.near for b in borders)):
                continue
            v = t[r * s + c]
            sq_whole += (v - whole[R][C]) ** 2
            worst = max(worst, abs(v - whole[R][C]))
            count += 1
            if original[R][C] >= -1000:   # the source's own voids have no truth
                sq_truth += (v - original[R][C]) ** 2
                truths += 1
print(f"largest shared-posting difference: {seam} m")
if count:
    where = "" if a.all else f" within {a.near} of a border"
    print(f"filled postings{where}: {count}; RMSE vs whole-mosaic fill {math.sqrt(sq_whole / count):.3f} m "
          f"(largest {worst} m); RMSE vs original terrain {math.sqrt(sq_truth / max(1, truths)):.2f} m")
