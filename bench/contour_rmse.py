#!/usr/bin/python3
"""How closely a surface interpolated from contours returns to the DEM they were drawn from.

  contour_rmse.py SOLUTION.txt DEM SCALE XMIN YMIN

SOLUTION.txt: the ASCII matrix gridmend-cli writes (south row first) for a shapefile input;
DEM: the raster the contours were made from (any format GDAL reads, projected like the
contours); SCALE, XMIN, YMIN: the shapefile's scale and bounding-box corner as logged
("scaleY is:  ", "xMin is:  ", "yMin is:  "). Cell (r, c) of the solution stands for the
point (XMIN + (c + 0.5) / SCALE, YMIN + (r + 0.5) / SCALE); the DEM is sampled there
bilinearly, and cells where the DEM has no data are left out. Prints the RMSE, the mean
absolute error, the largest error and the number of cells compared.
Needs python3-gdal and python3-numpy (for benchmarks only; the program never uses GDAL).
"""
import sys

import numpy as np
from osgeo import gdal


def main():
    if len(sys.argv) != 6:
        print(__doc__)
        return 2
    solution = np.loadtxt(sys.argv[1], ndmin=2)
    scale, x_min, y_min = (float(v) for v in sys.argv[3:6])
    dem = gdal.Open(sys.argv[2])
    band = dem.GetRasterBand(1)
    z = band.ReadAsArray().astype(np.float64)
    nodata = band.GetNoDataValue()
    valid = np.ones(z.shape, bool) if nodata is None else z != nodata
    gt = dem.GetGeoTransform()
    rows, cols = solution.shape
    r, c = np.mgrid[0:rows, 0:cols]
    x = x_min + (c + 0.5) / scale
    y = y_min + (r + 0.5) / scale
    px = (x - gt[0]) / gt[1] - 0.5
    py = (y - gt[3]) / gt[5] - 0.5
    i0, j0 = np.floor(py).astype(int), np.floor(px).astype(int)
    inside = (i0 >= 0) & (j0 >= 0) & (i0 + 1 < z.shape[0]) & (j0 + 1 < z.shape[1])
    i0c, j0c = np.clip(i0, 0, z.shape[0] - 2), np.clip(j0, 0, z.shape[1] - 2)
    ok = inside & valid[i0c, j0c] & valid[i0c + 1, j0c] & valid[i0c, j0c + 1] & valid[i0c + 1, j0c + 1]
    fy, fx = py - i0c, px - j0c
    sample = ((1 - fy) * (1 - fx) * z[i0c, j0c] + (1 - fy) * fx * z[i0c, j0c + 1] +
              fy * (1 - fx) * z[i0c + 1, j0c] + fy * fx * z[i0c + 1, j0c + 1])
    err = (solution - sample)[ok]
    print("cells compared %d of %d" % (err.size, solution.size))
    print("RMSE %.2f m, mean absolute error %.2f m, largest error %.1f m" %
          (np.sqrt(np.mean(err ** 2)), np.mean(np.abs(err)), np.max(np.abs(err))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
