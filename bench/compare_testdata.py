#!/usr/bin/python3
"""Reads every real elevation sample that both GDAL and gridmend-cli read and compares
them posting by posting: gridmend-cli convert writes each to an elevation array
(.elv, integers, north row first) and GDAL reads the original.

  compare_testdata.py [BUILD_DIR] [TESTDATA_DIR]

Prints one row per sample: postings GDAL holds data for (not its nodata value),
how many of them ours holds with the same value (GDAL's floating values rounded to
the nearest integer, as the readers round them), and a note. Where the two grids
differ in size (a USGS quadrangle whose record A spans more than its profiles) ours
is placed at the offset where most postings agree; GDAL postings outside it count
as unequal. Samples GDAL cannot read, or that no reader of ours takes (GeoTIFF,
Terragen, ER Mapper headers other than the fixed aus_dem_erm tile, x y z text read
only at Run, HDF files that are not ASTER DEMs), are listed at the end. Exit status 0 when every sample agrees.

Needs numpy and python3-gdal (for checking only, not a dependency of the program).
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

import numpy as np
from osgeo import gdal

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
gdal.UseExceptions()


def ours(path):
    """The grid of an elevation array: rows, columns, kind word, then the values."""
    t = open(path).read().split()
    r, c = int(t[0]), int(t[1])
    return np.array([int(x) for x in t[3:3 + r * c]], dtype=np.int64).reshape(r, c)


def theirs(path):
    d = gdal.Open(path)
    band = d.GetRasterBand(1)
    a = band.ReadAsArray().astype(np.float64)
    nodata = band.GetNoDataValue()
    known = np.ones(a.shape, bool) if nodata is None else a != nodata
    return np.round(a).astype(np.int64), known


def best_offset(a, g, known):
    """The placement of ours (a) inside GDAL's grid (g) where most known postings agree."""
    best = (-1, 0, 0)
    for dr in range(g.shape[0] - a.shape[0] + 1):
        for dc in range(g.shape[1] - a.shape[1] + 1):
            w = (slice(dr, dr + a.shape[0]), slice(dc, dc + a.shape[1]))
            n = int(np.count_nonzero((g[w] == a) & known[w]))
            if n > best[0]:
                best = (n, dr, dc)
    return best


def compare(cli, sample, work, extra=()):
    """(postings compared, postings equal, note) for one sample."""
    try:
        g, known = theirs(sample)
    except RuntimeError as e:
        return None, None, "GDAL: " + str(e).splitlines()[0]
    source = sample
    if not os.path.splitext(sample)[1]:   # our readers choose by extension
        source = os.path.join(work, os.path.basename(sample) + ".dem")
        shutil.copy(sample, source)
    out = os.path.join(work, "out.elv")
    if os.path.exists(out):
        os.remove(out)
    run = subprocess.run([cli, "convert", source, out, "--allow-partial", *extra], capture_output=True, text=True)
    compared = int(np.count_nonzero(known))
    if run.returncode != 0 or not os.path.exists(out):
        return compared, 0, "gridmend-cli: " + (run.stderr.strip().splitlines() or ["status %d" % run.returncode])[-1]
    a = ours(out)
    note = ""
    if a.shape == g.shape:
        equal = int(np.count_nonzero((a == g) & known))
    elif a.shape[0] <= g.shape[0] and a.shape[1] <= g.shape[1]:
        equal, dr, dc = best_offset(a, g, known)
        note = "ours %dx%d at row %d column %d of GDAL's %dx%d" % (*a.shape, dr, dc, *g.shape)
    else:
        return compared, 0, "sizes differ: ours %dx%d, GDAL %dx%d" % (*a.shape, *g.shape)
    return compared, equal, note


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
    data = sys.argv[2] if len(sys.argv) > 2 else "/work/shared/testdata"
    cli = os.path.join(build, "app", "gridmend-cli")
    patterns = ["srtm_hgt/*.hgt", "srtm_hgt/*.hgt.zip", "derived/*.hgt", "dted/*.dt0", "dted/*.dt1",
                "dted/gdal_edge_cases/*.dt0", "derived/*.dt0", "derived/*.dt1", "usgs_dem/*.dem",
                "usgs_dem/022gdeme_truncated", "derived/*.dem"]
    samples = sorted({p for pattern in patterns for p in glob.glob(os.path.join(data, pattern))})
    print("%-52s %10s %10s  %s" % ("sample", "compared", "equal", "note"))
    all_equal = True
    with tempfile.TemporaryDirectory() as work:
        for sample in samples:
            path = sample
            if sample.endswith(".zip"):
                with zipfile.ZipFile(sample) as z:
                    name = z.namelist()[0]
                    z.extract(name, work)
                    path = os.path.join(work, name)
            compared, equal, note = compare(cli, path, work)
            name = os.path.relpath(sample, data)
            if compared is None:
                print("%-52s %10s %10s  %s" % (name, "-", "-", note))
                continue
            all_equal = all_equal and equal == compared
            print("%-52s %10d %10d  %s" % (name, compared, equal, note))
    print("\nnot compared: GeoTIFF (.tif), NumPy (.npz), Terragen (.ter: written, not read), ER Mapper headers"
          " (.ers: only the fixed aus_dem_erm tile is read), x y z text and LAS (read at Run, not by convert),"
          " pictures and shapefiles (not elevation grids), derived/*.hdf (a plain HDF4 data set, not the ASTER DEM"
          " layout the reader takes)")
    return 0 if all_equal else 1


if __name__ == "__main__":
    sys.exit(main())
