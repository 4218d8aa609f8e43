#!/usr/bin/python3
"""Converged surfaces against gdal_fillnodata.py in one run, on held-out cases
rebuilt from real tiles (the truth known):

  voids     N49E011 (1201 x 1201): 40 elliptic voids of about 19,000 postings in all;
  contours  N49E011: only the postings next to a 50 m contour crossing are kept, each
            holding its contour's level (the rasterised contours); the rest is void;
            gdal_contour + gdal_rasterize onto the tile give 13.1 % known and the same RMSEs;
  contourtruth  the same postings holding the ground's elevation instead of the level:
            how much of the error is the contours' own (a level stands for ground up to
            half a posting away);
  steepcontours  the contours case on N43E007 (steep coastal hills, three quarters sea):
            the sea is void too and not scored;
  finecontours  the contours case on the four 1201 x 1201 windows along the southern edge of
            N48W125 (1 arc-second postings, about 30 m) that are more than half land,
            starting at columns 600, 1200, 1800 and 2400 (fine600 ... fine2400 run one);
            the sea is void too and not scored;
  halfvoid  N48W125 (3601 x 3601, coastal): the sea (postings <= 0) is void, and 300
            elliptic voids are punched into the land;
  shapefile N49E011 projected to UTM at 90 m, contoured every 50 m by gdal_contour and
            drawn by gridmend-cli at --maxspan 1200 (interpolate from the .shp; GDAL fills
            the drawn contour grid that convert writes); scored by bench/contour_rmse.py
            over every cell.

Each case is written as an SRTM tile with -32768 in the voids, filled by
gridmend-cli fill with each setting and by gdal_fillnodata.py, and scored by the
RMSE over the postings the case voided (the sea of halfvoid is left out: there is
no truth for it). Wall time, CPU time (user + system) and peak memory are those of
the whole process.

  surface_quality.py [BUILD_DIR] [CASE ...] [-- gridmend-cli options, one setting]

Needs /usr/bin/python3 with numpy and python3-gdal, gdal_fillnodata.py, unzip.
"""
import os
import subprocess
import sys
import tempfile
import zipfile

import numpy as np
from osgeo import gdal

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = "/work/shared/testdata/srtm_hgt"
SETTINGS = [
    ["--lsqr", "0", "--refining", "0", "--laplacian", "1000"],
    ["--lsqr", "500", "--refining", "0", "--laplacian", "100"],
    ["--lsqr", "0", "--refining", "0", "--surface", "harmonic"],
    ["--lsqr", "0", "--refining", "0", "--surface", "thin-plate"],
    ["--lsqr", "0", "--refining", "0", "--surface", "tension", "0.1"],
    ["--lsqr", "0", "--refining", "0", "--surface", "tension", "0.25"],
    ["--lsqr", "0", "--refining", "0", "--surface", "tension", "0.5"],
]
# The contour cases also try the LSQR polish from a converged start.
POLISH_SETTINGS = [
    ["--lsqr", "100", "--refining", "0", "--surface", "tension", "0.1"],
    ["--lsqr", "100", "--refining", "0", "--surface", "thin-plate"],
]


def read_tile(path):
    a = np.fromfile(path, dtype=">i2")
    n = int(np.sqrt(a.size))
    return a[:n * n].reshape(n, n).astype(np.float64)


def write_tile(path, a):
    a.astype(">i2").tofile(path)


def ellipses(truth, allowed, count, mean_size, rng):
    """count elliptic voids of about mean_size postings each, inside allowed."""
    n = truth.shape[0]
    holes = np.zeros(truth.shape, bool)
    rows, cols = np.ogrid[:n, :n]
    placed = 0
    while placed < count:
        r0, c0 = rng.integers(30, n - 30, 2)
        if not allowed[r0, c0]:
            continue
        a = rng.uniform(6.0, 20.0)
        b = mean_size / (np.pi * a) * rng.uniform(0.7, 1.3)
        t = rng.uniform(0, np.pi)
        dr, dc = rows - r0, cols - c0
        u = dr * np.cos(t) + dc * np.sin(t)
        v = -dr * np.sin(t) + dc * np.cos(t)
        holes |= ((u / a) ** 2 + (v / b) ** 2 <= 1.0) & allowed
        placed += 1
    return holes


def contour_case(truth, interval):
    """The postings next to a crossing of a multiple of interval, each set to that level."""
    known = np.full(truth.shape, -32768.0)
    band = np.floor(truth / interval)
    for axis in (0, 1):
        a = truth
        b = np.roll(truth, -1, axis)
        crossing = np.roll(band, -1, axis) != band
        if axis == 0:
            crossing[-1, :] = False
        else:
            crossing[:, -1] = False
        level = np.maximum(np.roll(band, -1, axis), band) * interval
        first = crossing & (np.abs(a - level) <= np.abs(b - level))
        second = crossing & ~first
        known[first] = level[first]
        second = np.roll(second, 1, axis)
        known[second] = np.roll(level, 1, axis)[second]
    known[known == 0] = 1   # 0 marks an unknown posting in the engine
    return known


def build(case, work, rng):
    if case == "voids":
        truth = read_tile(os.path.join(DATA, "N49E011.hgt"))
        valid = truth > -32768
        holes = ellipses(truth, valid, 40, 475.0, rng)
        tile = truth.copy()
        tile[holes] = -32768
        return truth, tile, holes
    if case in ("contours", "contourtruth"):
        truth = read_tile(os.path.join(DATA, "N49E011.hgt"))
        tile = contour_case(truth, 50.0)
        holes = (tile == -32768) & (truth > -32768)
        if case == "contourtruth":
            tile[tile != -32768] = np.where(truth == 0, 1, truth)[tile != -32768]
        return truth, tile, holes
    if case == "steepcontours":
        truth = read_tile(os.path.join(DATA, "N43E007.hgt"))
        tile = contour_case(truth, 50.0)
        tile[truth <= 0] = -32768
        return truth, tile, (tile == -32768) & (truth > 0)
    with zipfile.ZipFile(os.path.join(DATA, "N48W125.hgt.zip")) as z:
        z.extract("N48W125.hgt", work)
    truth = read_tile(os.path.join(work, "N48W125.hgt"))
    if case.startswith("fine"):
        left = int(case[len("fine"):])
        truth = truth[-1201:, left:left + 1201].copy()
        tile = contour_case(truth, 50.0)
        tile[truth <= 0] = -32768
        return truth, tile, (tile == -32768) & (truth > 0)
    land = truth > 0
    holes = ellipses(truth, land, 300, 475.0, rng)
    tile = truth.copy()
    tile[~land | holes] = -32768
    return truth, tile, holes


def run(command, log):
    timed = ["/usr/bin/time", "-f", "%e %U %S %M"] + command
    p = subprocess.run(timed, stdout=open(log, "w"), stderr=subprocess.PIPE, text=True)
    if p.returncode != 0:
        raise RuntimeError(" ".join(command) + " failed: " + p.stderr[-500:])
    seconds, user, system, kb = p.stderr.strip().splitlines()[-1].split()
    run.cpu = float(user) + float(system)
    return float(seconds), int(kb) / 1024.0


def score(filled, truth, holes):
    d = filled[holes] - truth[holes]
    return float(np.sqrt(np.mean(d * d)))


SHAPEFILE_SETTINGS = [
    ["--lsqr", "500", "--laplacian", "1000"],
    ["--lsqr", "0", "--refining", "0", "--surface", "tension", "0.1"],
    ["--lsqr", "0", "--refining", "0", "--surface", "thin-plate"],
    ["--lsqr", "1", "--surface", "harmonic"],
    ["--lsqr", "1", "--surface", "thin-plate"],
    ["--lsqr", "1", "--surface", "tension", "0.1"],
    ["--lsqr", "1", "--surface", "tension", "0.25"],
    ["--lsqr", "100", "--surface", "tension", "0.25"],
    ["--lsqr", "300", "--surface", "tension", "0.1"],
]


def contour_rmse(solution, dem, log):
    value = {}
    for line in open(log):
        for key in ("scaleY", "xMin", "yMin"):
            if line.startswith(key + " is:  ") and key not in value:
                value[key] = line.split(":", 1)[1].strip()
    out = subprocess.run(["/usr/bin/python3", os.path.join(ROOT, "bench", "contour_rmse.py"), solution, dem,
                          value["scaleY"], value["xMin"], value["yMin"]], check=True, capture_output=True, text=True)
    return float(out.stdout.split("RMSE ")[1].split()[0])


def shapefile_case(cli, work, settings):
    dem, shp = os.path.join(work, "dem.tif"), os.path.join(work, "contours.shp")
    subprocess.run(["gdalwarp", "-q", "-t_srs", "EPSG:32632", "-tr", "90", "90", "-r", "bilinear", "-srcnodata",
                    "-32768", "-dstnodata", "-32768", os.path.join(DATA, "N49E011.hgt"), dem], check=True)
    subprocess.run(["gdal_contour", "-q", "-a", "ELEV", "-i", "50", "-snodata", "-32768", dem, shp], check=True)
    drawn, log = os.path.join(work, "drawn.txt"), os.path.join(work, "convert.log")
    run([cli, "convert", shp, drawn, "--maxspan", "1200"], log)
    grid = np.loadtxt(drawn, ndmin=2)
    print("== shapefile: %d x %d drawn, %.1f %% of the cells on a contour" %
          (grid.shape[0], grid.shape[1], 100.0 * np.mean(grid != 0)), flush=True)
    tif, filled = os.path.join(work, "drawn.tif"), os.path.join(work, "gdal.tif")
    ds = gdal.GetDriverByName("GTiff").Create(tif, grid.shape[1], grid.shape[0], 1, gdal.GDT_Float32)
    ds.GetRasterBand(1).WriteArray(grid)
    ds.GetRasterBand(1).SetNoDataValue(0)
    ds = None
    seconds, mb = run(["gdal_fillnodata.py", "-q", "-md", str(max(grid.shape)), tif, filled],
                      os.path.join(work, "g.log"))
    gdal_txt = os.path.join(work, "gdal.txt")
    np.savetxt(gdal_txt, gdal.Open(filled).ReadAsArray().astype(np.float64), fmt="%.3f")
    gdal_rmse = contour_rmse(gdal_txt, dem, log)
    print("  %-58s RMSE %7.2f m  %6.2f s (cpu %6.2f s)  %6.0f MB" % ("gdal_fillnodata.py -md %d" % max(grid.shape),
                                                                       gdal_rmse, seconds, run.cpu, mb), flush=True)
    for setting in settings:
        out, log = os.path.join(work, "out.txt"), os.path.join(work, "cli.log")
        seconds, mb = run([cli, "interpolate", shp, out, "--maxspan", "1200"] + setting, log)
        e = contour_rmse(out, dem, log)
        iterations = [l.strip() for l in open(log) if l.startswith("Surface Iterations")]
        print("  %-58s RMSE %7.2f m  %6.2f s (cpu %6.2f s)  %6.0f MB  %.3f x GDAL  %s" %
              ("interpolate " + " ".join(setting), e, seconds, run.cpu, mb, e / gdal_rmse,
               iterations[0] if iterations else ""), flush=True)


def main():
    args = sys.argv[1:]
    extra = None
    if "--" in args:
        extra = args[args.index("--") + 1:]
        args = args[:args.index("--")]
    build_dir = args[0] if args else os.path.join(ROOT, "build")
    cases = args[1:] or ["voids", "contours", "shapefile", "halfvoid"]
    cli = os.path.join(build_dir, "app", "gridmend-cli")
    expanded = []
    for case in cases:
        expanded += ["fine600", "fine1200", "fine1800", "fine2400"] if case == "finecontours" else [case]
    for case in expanded:
        settings = [extra] if extra is not None else SETTINGS + (POLISH_SETTINGS if "contour" in case or
                                                                  case.startswith("fine") else [])
        with tempfile.TemporaryDirectory() as work:
            if case == "shapefile":
                shapefile_case(cli, work, [extra] if extra is not None else SHAPEFILE_SETTINGS)
                continue
            rng = np.random.default_rng(15)
            truth, tile, holes = build(case, work, rng)
            n = truth.shape[0]
            name = "N00E000.hgt"
            voided = os.path.join(work, name)
            write_tile(voided, tile)
            print("== %s: %d x %d, %d postings scored, %.1f %% of the tile known" %
                  (case, n, n, int(holes.sum()), 100.0 * np.mean(tile > -32768)), flush=True)
            out = os.path.join(work, "gdal.tif")
            # The voids are at most 40 postings across: GDAL's default search distance (100) reaches them.
            distance = ["-md", str(n)] if case != "voids" else []
            seconds, mb = run(["gdal_fillnodata.py", "-q"] + distance + [voided, out], os.path.join(work, "g.log"))
            gdal_rmse = score(gdal.Open(out).ReadAsArray().astype(np.float64), truth, holes)
            print("  %-58s RMSE %7.2f m  %6.2f s (cpu %6.2f s)  %6.0f MB" %
                  (" ".join(["gdal_fillnodata.py"] + distance), gdal_rmse, seconds, run.cpu, mb), flush=True)
            for setting in settings:
                out = os.path.join(work, "out.hgt")
                log = os.path.join(work, "cli.log")
                seconds, mb = run([cli, "fill", voided, out, "--null", "-32000"] + setting, log)
                e = score(read_tile(out), truth, holes)
                iterations = [l.strip() for l in open(log) if l.startswith("Surface Iterations")]
                print("  %-58s RMSE %7.2f m  %6.2f s (cpu %6.2f s)  %6.0f MB  %.3f x GDAL  %s" %
                      ("fill " + " ".join(setting), e, seconds, run.cpu, mb, e / gdal_rmse,
                       iterations[0] if iterations else ""), flush=True)


if __name__ == "__main__":
    main()
