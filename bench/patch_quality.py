#!/usr/bin/env python3
"""Void RMSE and whole-process time of `gridmend-cli patch` on a real tile.

  patch_quality.py GRIDMEND_CLI TESTDATA_DIR [LAPLACIAN_SWEEPS...]

The truth is the DTED1 copy of the real SRTM-3 cell N49 E011 in the shared
sample collection (derived/n49_e011.dt1; its own voids are left out of every
figure). Rectangular voids (about 12% of the tile) are punched into it; the
coarse sources are made from the truth: a DTED0 tile sampled every 10th
posting, the same region as the first 120 rows of an SRTM30 tile e010n50, and
the 30-arc-second average that GDAL wrote (derived/n49_e011.dt0). Each road
runs as a user runs it; plain void filling (`interpolate` of the tile with the
relaxation alone) is the reference. Prints one line per run: wall time, user
CPU time, peak memory and the RMSE over the punched postings.
Needs only python3 (no numpy); files go to a temporary folder.
"""
import math
import os
import random
import resource
import subprocess
import sys
import tempfile
import time

N = 1201


def decode(b0, b1):
    v = (b0 & 0x7F) << 8 | b1
    return -v if b0 & 0x80 else v


def encode(v):
    v = max(-32767, min(32767, v))
    m = -v if v < 0 else v
    return bytes(((m >> 8) | (0x80 if v < 0 else 0), m & 0xFF))


def read_dted(path, n):
    """Tile (row 0 = north) and header block of a DTED file with n x n postings."""
    data = open(path, "rb").read()
    tile = [[-32767] * n for _ in range(n)]
    pos = 3436
    for p in range(n):
        rec = data[pos:pos + 2 * n]
        for k in range(min(n, len(rec) // 2)):
            tile[n - 1 - k][p] = decode(rec[2 * k], rec[2 * k + 1])
        pos += 2 * n + 12
    return tile, data[:3436]


def write_dted(path, tile, header):
    n = len(tile)
    out = bytearray(header)
    for p in range(n):
        for k in range(n):
            out += encode(tile[n - 1 - k][p])
        out += bytes(12)
    open(path, "wb").write(out)


def punch_voids(tile, seed=8):
    rnd = random.Random(seed)
    holes = set()
    while len(holes) < 0.12 * N * N:
        h, w = rnd.randint(15, 90), rnd.randint(15, 90)
        top, left = rnd.randint(0, N - h), rnd.randint(0, N - w)
        for r in range(top, top + h):
            for c in range(left, left + w):
                holes.add((r, c))
    voided = [row[:] for row in tile]
    for r, c in holes:
        voided[r][c] = -32767
    return voided, holes


def run(label, args, truth, holes, out):
    t0 = time.time()
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    p = subprocess.run(["/usr/bin/time", "-f", "%M"] + args, capture_output=True, text=True)
    wall = time.time() - t0
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    user = after.ru_utime - before.ru_utime
    peak = p.stderr.strip().splitlines()[-1] if p.stderr.strip() else "?"
    if p.returncode != 0:
        print(f"{label:58s} failed ({p.returncode})")
        return
    got, _ = read_dted(out, N)
    sq, n = 0.0, 0
    for r, c in holes:
        if truth[r][c] != -32767:
            sq += (got[r][c] - truth[r][c]) ** 2
            n += 1
    print(f"{label:58s} wall {wall:5.2f} s  user {user:5.2f} s  peak {int(peak) // 1024:4d} MB  "
          f"void RMSE {math.sqrt(sq / n):6.2f} m")


def main():
    cli, data = sys.argv[1], sys.argv[2]
    sweeps = [int(s) for s in sys.argv[3:]] or [200]
    truth, header = read_dted(os.path.join(data, "derived/n49_e011.dt1"), N)
    _, header0 = read_dted(os.path.join(data, "derived/n49_e011.dt0"), 121)
    voided, holes = punch_voids(truth)
    with tempfile.TemporaryDirectory() as work:
        tile = os.path.join(work, "n49_e011.dt1")
        write_dted(tile, voided, header)
        sampled = os.path.join(work, "sampled.dt0")
        write_dted(sampled, [[truth[10 * i][10 * j] for j in range(121)] for i in range(121)], header0)
        srtm30 = os.path.join(work, "e010n50.dem")
        with open(srtm30, "wb") as f:   # rows 0..119 of the tile; N49 E011 lies at columns 120..239
            for i in range(120):
                row = bytearray()
                for c in range(4800):
                    v = truth[10 * i][10 * (c - 120)] if 120 <= c < 240 else -9999
                    row += (v & 0xFFFF).to_bytes(2, "big")
                f.write(row)
        averaged = os.path.join(data, "derived/n49_e011.dt0")
        print(f"punched postings: {len(holes)} of {N * N} ({100 * len(holes) / N / N:.1f}%)")
        out = os.path.join(work, "out.dt1")
        for n in sweeps:
            solver = ["--lsqr", "0", "--laplacian", str(n), "--refining", "0"]
            run(f"plain void filling (interpolate), {n} sweeps", [cli, "interpolate", tile, out] + solver,
                truth, holes, out)
            for name, flag, path in (("DTED0 sampled every 10th", "--dted0", sampled),
                                     ("DTED0 averaged by GDAL", "--dted0", averaged),
                                     ("SRTM30 block", "--srtm30", srtm30)):
                for coupled in (False, True):
                    road = "coupled" if coupled else "separate"
                    run(f"{road} road, {name}, {n} sweeps",
                        [cli, "patch", tile, out, flag, path] + solver + (["--coupled"] if coupled else []),
                        truth, holes, out)


if __name__ == "__main__":
    main()
