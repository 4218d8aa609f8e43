#!/bin/bash
# Tile-set figures, one run: seams of a 3 x 3 set with voids across its borders
# (halo fill, fill of the whole mosaic at once, tiles filled alone), and throughput
# of 'tiles fill --jobs 2' on 1201 x 1201 and 3601 x 3601 tiles with 1 % voids.
#
#   bench/tiles_bench.sh BUILD_DIR [WORK_DIR]
#
# Sets: the real N49E011.hgt (1201 x 1201) cut into 3 x 3 sub-tiles of 401 postings
# (the mosaic is the tile itself); for throughput the same tile resampled bilinearly
# by GDAL to 3601 x 3601 (cut into 3 x 3 tiles of 1201) and to 7201 x 7201 (2 x 2
# tiles of 3601), voids of 5 to 40 postings punched until 1 % of the postings are void.
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR [WORK_DIR]}" && pwd)
work=${2:-$(mktemp -d /tmp/gridmend-tiles-bench.XXXXXX)}
here=$(cd "$(dirname "$0")" && pwd)
cli=$build/app/gridmend-cli
src=${SRTM_TILE:-/work/shared/testdata/srtm_hgt/N49E011.hgt}
mkdir -p "$work"
cd "$work"

echo "== seams: 3 x 3 sub-tiles of 401 cut from $(basename "$src"), voids across the borders"
python3 "$here/make_tile_set.py" "$src" 3 401 seam/in --mosaic seam/N49E011.hgt \
  --void 385 100 30 40 --void 780 350 40 30 --void 392 392 16 16 --void 100 790 30 25 \
  --void 600 396 50 8 --void 1000 795 20 20 --void 200 380 40 45 --void 790 1000 18 30
mkdir -p seam/mosaic && mv seam/N49E011.hgt seam/mosaic/
# 1000 sweeps: the voids of up to 50 postings converge (the default 100 leave their middles low).
for solver in "--lsqr 0 --refining 0 --laplacian 1000" "--lsqr 10 --refining 10 --laplacian 1000"; do
  tag=$(echo "$solver" | tr -d ' -')
  echo "-- solver: $solver"
  "$cli" fill seam/mosaic/N49E011.hgt "seam/whole-$tag.hgt" $solver > /dev/null
  for halo in 100 0; do
    "$cli" tiles fill seam/in "seam/halo$halo-$tag" $solver --halo "$halo" --jobs 2 > "seam/halo$halo-$tag.log"
    echo "halo $halo: $(grep -c 'reach beyond the halo' "seam/halo$halo-$tag.log" || true) tiles with open voids"
    python3 "$here/tile_seams.py" 3 401 "$src" seam/mosaic/N49E011.hgt "seam/whole-$tag.hgt" "seam/halo$halo-$tag"
  done
done

echo "== windowed fill of one tile against the whole-grid run: $(basename "$src") with 1 % voids"
python3 "$here/make_tile_set.py" "$src" 1 1201 one/in --voids-percent 1 --seed 3
for solver in "--lsqr 0 --refining 0 --laplacian 1000" "--lsqr 10 --refining 10 --laplacian 1000" ""; do
  /usr/bin/time -f "%e s, peak %M KB" -o one/t-whole "$cli" fill one/in/N49E011.hgt one/whole.hgt $solver > /dev/null
  rm -rf one/out
  /usr/bin/time -f "%e s, peak %M KB" -o one/t-tiles "$cli" tiles fill one/in one/out --jobs 1 $solver > /dev/null
  echo "-- ${solver:-defaults}: whole grid $(cat one/t-whole); windows $(cat one/t-tiles)"
  python3 "$here/tile_seams.py" 1 1201 "$src" one/in/N49E011.hgt one/whole.hgt one/out --all | tail -1
done

throughput() {   # NAME K SIDE UPSAMPLED_SIDE
  local name=$1 k=$2 side=$3 up=$4
  gdal_translate -q -of ENVI -ot Int16 -r bilinear -outsize "$up" "$up" "$src" "$name.raw"
  python3 "$here/make_tile_set.py" "$name.raw" "$k" "$side" "$name/in" --little-endian --voids-percent 1 --seed 7
  rm -f "$name.raw" "$name.raw.aux.xml" "$name.hdr"
  local tiles=$((k * k)) solver
  for solver in "" "--lsqr 0 --refining 0 --laplacian 1000"; do
    rm -rf "$name/out"
    /usr/bin/time -f "%e %M" -o "$name/time" "$cli" tiles fill "$name/in" "$name/out" --jobs 2 $solver > "$name/log"
    read -r seconds kb < "$name/time"
    echo "$name: $tiles tiles of $side x $side, 1 % voids, ${solver:-defaults (--lsqr 10 --laplacian 100 --refining 10)}," \
      "--jobs 2: $seconds s, peak $((kb / 1024)) MB;" \
      "$(python3 -c "print(f'{$tiles * 3600 / $seconds / 2:.0f}')") tiles per hour per core"
  done
}
echo "== throughput (load average before: $(cut -d' ' -f1-3 /proc/loadavg))"
throughput t1201 3 1201 3601
throughput t3601 2 3601 7201
echo "work folder: $work"
