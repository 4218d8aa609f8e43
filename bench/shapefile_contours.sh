#!/usr/bin/env bash
# Shapefile contour input, whole process: a real SRTM tile is projected to UTM (90 m),
# contoured with gdal_contour, rasterised by gridmend-cli at MAXSPAN and interpolated
# with LSQR; the result is compared with the tile (bench/contour_rmse.py).
# usage: bench/shapefile_contours.sh [build-dir] [interval m] [lsqr iterations] [maxspan] [more interpolate options]
# Needs gdalwarp, gdal_contour and python3-gdal (benchmarks only; the program never uses GDAL).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
interval="${2:-30}"
lsqr="${3:-200}"
maxspan="${4:-1200}"
shift $(( $# < 4 ? $# : 4 ))
tile="${TILE:-/work/shared/testdata/srtm_hgt/N49E011.hgt}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
gdalwarp -q -t_srs EPSG:32632 -tr 90 90 -r bilinear -srcnodata -32768 -dstnodata -32768 "$tile" "$work/dem.tif"
gdal_contour -q -a ELEV -i "$interval" -snodata -32768 "$work/dem.tif" "$work/contours.shp"
echo "== $(ogrinfo -so -al "$work/contours.shp" | grep 'Feature Count'), interval $interval m"
/usr/bin/time -f "wall %e s, user %U s, peak memory %M KB" "$build/app/gridmend-cli" interpolate \
  "$work/contours.shp" "$work/out.txt" --maxspan "$maxspan" --lsqr "$lsqr" "$@" > "$work/log.txt"
grep -E "^(scaledRows|scaledColumns|Non zero nodes) is" "$work/log.txt"
value() { grep -m1 "^$1 is:  " "$work/log.txt" | sed "s/^$1 is:  //"; }
/usr/bin/python3 "$root/bench/contour_rmse.py" "$work/out.txt" "$work/dem.tif" "$(value scaleY)" "$(value xMin)" "$(value yMin)"
