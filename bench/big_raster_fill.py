#!/usr/bin/python3
"""The fill of a raster too big to hold several times over: a SIZE x SIZE Float32
GeoTIFF (default 20,000 x 20,000, 1.6 GB of postings) built from the real SRTM3 tile
N49E011 (1201 x 1201 of hilly land, laid out in mirrored copies so the terrain runs on
across the seams; the tile's own 20 voids stay nodata and are not scored), with about
1.5 % of its postings punched out as elliptical voids of up to 200 x 200 postings
(nodata -9999). gridmend-cli fill (window by window, both cores)
and GDAL's gdal_fillnodata.py fill the same file in the same run; for each the wall
time, CPU time and peak memory (/usr/bin/time -v) and the RMSE over the punched
postings against the real terrain are printed.

  [LAPLACIAN=5000] [SURFACE="tension 0.1"] big_raster_fill.py [BUILD_DIR] [TESTDATA_DIR] [SIZE] [WORK_DIR]

SURFACE fills with that converged surface (--surface) in place of the sweeps.

Needs numpy, python3-gdal and gdal_fillnodata.py (for the benchmark only) and
about 3 GB of disk in WORK_DIR (default: a temporary folder, removed afterwards).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

import numpy as np
from osgeo import gdal

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
DATA = sys.argv[2] if len(sys.argv) > 2 else "/work/shared/testdata/srtm_hgt"
SIZE = int(sys.argv[3]) if len(sys.argv) > 3 else 20000
CLI = os.path.join(BUILD, "app", "gridmend-cli")
STRIP = 1024
NODATA = -9999.0
OPTIONS = ["TILED=YES", "COMPRESS=DEFLATE", "PREDICTOR=3", "BIGTIFF=YES"]
FILL = ["--lsqr", "0", "--laplacian", os.environ.get("LAPLACIAN", "5000"), "--refining", "0"]
if os.environ.get("SURFACE"):
    FILL += ["--surface"] + os.environ["SURFACE"].split()


def mosaic_rows(tile, top, rows):
    """Rows top..top+rows of the mirrored mosaic of the tile (period 2n - 2, no doubled seam)."""
    n = tile.shape[0]
    period = 2 * n - 2
    def index(k):
        k = k % period
        return np.where(k < n, k, period - k)
    r = index(np.arange(top, top + rows))
    c = index(np.arange(SIZE))
    return tile[np.ix_(r, c)].astype(np.float32)


def voids(rng):
    """Ellipses (centre row, centre column, row radius, column radius) covering about 1.5 %."""
    out, covered = [], 0.0
    while covered < 0.015 * SIZE * SIZE:
        a, b = rng.integers(2, 101, size=2)
        out.append((int(rng.integers(0, SIZE)), int(rng.integers(0, SIZE)), int(a), int(b)))
        covered += np.pi * a * b
    return out


def punch(strip, top, ellipses):
    rows = strip.shape[0]
    for (r0, c0, a, b) in ellipses:
        if r0 + a < top or r0 - a >= top + rows:
            continue
        r = np.arange(max(top, r0 - a), min(top + rows, r0 + a + 1))
        c = np.arange(max(0, c0 - b), min(SIZE, c0 + b + 1))
        inside = ((r[:, None] - r0) / a) ** 2 + ((c[None, :] - c0) / b) ** 2 <= 1.0
        block = strip[r[0] - top:r[-1] - top + 1, c[0]:c[-1] + 1]
        block[inside] = NODATA


def build(tile, truth_path, void_path, ellipses):
    drv = gdal.GetDriverByName("GTiff")
    step = 1.0 / 1200
    out = []
    for path in (truth_path, void_path):
        ds = drv.Create(path, SIZE, SIZE, 1, gdal.GDT_Float32, OPTIONS)
        ds.SetGeoTransform((11.0 - step / 2, step, 0, 50.0 + step / 2, 0, -step))
        ds.GetRasterBand(1).SetNoDataValue(NODATA)
        ds.SetProjection("EPSG:4326")
        out.append(ds)
    for top in range(0, SIZE, STRIP):
        rows = min(STRIP, SIZE - top)
        strip = mosaic_rows(tile, top, rows)
        out[0].GetRasterBand(1).WriteArray(strip, 0, top)
        punch(strip, top, ellipses)
        out[1].GetRasterBand(1).WriteArray(strip, 0, top)
    out = None


def measured(name, command):
    run = subprocess.run(["/usr/bin/time", "-v"] + command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                         text=True)
    if run.returncode != 0:
        sys.exit(name + " failed:\n" + run.stderr[-2000:])
    def field(label):
        return re.search(re.escape(label) + r": (.*)", run.stderr).group(1).strip()
    return {"wall": field("Elapsed (wall clock) time (h:mm:ss or m:ss)"), "user": field("User time (seconds)"),
            "system": field("System time (seconds)"), "peak MB": int(field("Maximum resident set size (kbytes)")) // 1024}


def rmse(truth_path, void_path, filled_path):
    datasets = [gdal.Open(p) for p in (truth_path, void_path, filled_path)]   # the bands need them open
    t, v, f = (d.GetRasterBand(1) for d in datasets)
    total, count, worst, left = 0.0, 0, 0.0, 0
    for top in range(0, SIZE, STRIP):
        rows = min(STRIP, SIZE - top)
        truth = t.ReadAsArray(0, top, SIZE, rows).astype(np.float64)
        mask = (v.ReadAsArray(0, top, SIZE, rows) == NODATA) & (truth != NODATA)
        a = f.ReadAsArray(0, top, SIZE, rows).astype(np.float64)[mask]
        left += int(np.sum(a == NODATA))
        d = a - truth[mask]
        total += float(np.sum(d * d))
        count += int(mask.sum())
        worst = max(worst, float(np.max(np.abs(d)))) if d.size else worst
    return count, (total / count) ** 0.5, worst, left


def main():
    own = len(sys.argv) <= 4
    work = tempfile.mkdtemp() if own else sys.argv[4]
    try:
        tile = np.fromfile(os.path.join(DATA, "N49E011.hgt"), dtype=">i2").reshape(1201, 1201).astype(np.float32)
        tile[tile == -32768] = NODATA
        truth, punched = os.path.join(work, "truth.tif"), os.path.join(work, "voids.tif")
        ellipses = voids(np.random.default_rng(20261207))
        if not (os.path.exists(truth) and os.path.exists(punched)):   # a kept WORK_DIR is reused
            build(tile, truth, punched, ellipses)
        print("%d x %d Float32 from N49E011 (mirrored copies), %d elliptical voids up to 200 x 200" %
              (SIZE, SIZE, len(ellipses)))
        runs = [
            ("gridmend-cli fill " + " ".join(FILL),
             [CLI, "fill", punched, os.path.join(work, "ours.tif"), "--quiet"] + FILL, "ours.tif"),
            ("gdal_fillnodata.py -md 200", ["gdal_fillnodata.py", punched, os.path.join(work, "gdal.tif"), "-q",
                                            "-md", "200", "-co", "TILED=YES", "COMPRESS=DEFLATE", "BIGTIFF=YES"],
             "gdal.tif"),
        ]
        for name, command, out in runs:
            figures = measured(name, command)
            count, error, worst, left = rmse(truth, punched, os.path.join(work, out))
            print("%-45s wall %s, user %s s, system %s s, peak %d MB; RMSE %.3f m (max %.1f m) over %d postings, "
                  "%d left void" % (name, figures["wall"], figures["user"], figures["system"], figures["peak MB"],
                                    error, worst, count, left))
    finally:
        if own:
            shutil.rmtree(work)


if __name__ == "__main__":
    main()
