#!/usr/bin/python3
"""Quality of the void fill on real tiles: holes are punched into known
postings, filled by gridmend-cli fill and by GDAL's gdal_fillnodata.py, and the
root-mean-square error over the punched postings is reported (the tile's own
voids are left out).

  fill_quality.py [BUILD_DIR] [TESTDATA_DIR] [PERCENT]

Needs numpy, python3-gdal and gdal_fillnodata.py (for the benchmark only).
"""
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
from osgeo import gdal

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
DATA = sys.argv[2] if len(sys.argv) > 2 else "/work/shared/testdata/srtm_hgt"
PERCENT = sys.argv[3] if len(sys.argv) > 3 else "20"
CLI = os.path.join(BUILD, "app", "gridmend-cli")

SETTINGS = [
    ["--lsqr", "0", "--laplacian", "200", "--refining", "0"],
    ["--lsqr", "0", "--laplacian", "1000", "--refining", "0"],
    ["--lsqr", "500", "--laplacian", "100", "--refining", "0"],
]


def read_tile(path):
    a = np.fromfile(path, dtype=">i2")
    n = int(np.sqrt(a.size))
    return a[:n * n].reshape(n, n).astype(np.float64)


def rmse(filled, truth, mask):
    d = filled[mask] - truth[mask]
    return float(np.sqrt(np.mean(d * d))), float(np.max(np.abs(d)))


def timed(command):
    start = time.time()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.time() - start


def main():
    for name in ["N49E011", "N43E007"]:
        with tempfile.TemporaryDirectory() as work:
            src = os.path.join(DATA, name + ".hgt")
            holes_path = os.path.join(work, "holes.npy")
            os.makedirs(os.path.join(work, "in"))
            voided = os.path.join(work, "in", name + ".hgt")
            subprocess.run(["/usr/bin/python3", os.path.join(ROOT, "bench", "make_void_tile.py"), src, voided,
                            PERCENT, "3", "--holes", holes_path], check=True, stdout=subprocess.DEVNULL)
            truth = read_tile(src)
            holes = np.load(holes_path)
            print("%s: %d punched postings (%s %% of the valid ones)" % (name, int(holes.sum()), PERCENT))
            for setting in SETTINGS:
                out = os.path.join(work, "out.hgt")
                seconds = timed([CLI, "fill", voided, out, "--null", "-32000"] + setting)
                e, worst = rmse(read_tile(out), truth, holes)
                print("  gridmend-cli fill %-44s RMSE %7.2f m  max %6.0f m  (%.1f s)" % (" ".join(setting), e, worst,
                                                                                        seconds))
            for extra in [[], ["-si", "2"]]:
                out = os.path.join(work, "gdal.tif")
                seconds = timed(["gdal_fillnodata.py", "-q"] + extra + [voided, out])
                filled = gdal.Open(out).ReadAsArray().astype(np.float64)
                e, worst = rmse(filled, truth, holes)
                print("  gdal_fillnodata.py %-43s RMSE %7.2f m  max %6.0f m  (%.1f s)" % (" ".join(extra) or
                                                                                         "(defaults)", e, worst,
                                                                                         seconds))


if __name__ == "__main__":
    main()
