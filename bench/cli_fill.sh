#!/usr/bin/env bash
# Whole-process figures of gridmend-cli fill on real SRTM tiles with 20 % of
# their postings punched out as voids: wall time, user CPU time and peak memory.
#   1201 x 1201 (N49E011): --lsqr 0 --laplacian 200, and --lsqr 500 --laplacian 100
#   3601 x 3601 (N48W125): --lsqr 0 --laplacian 200
# usage: bench/cli_fill.sh [build-dir] [testdata-dir]
# Needs /usr/bin/python3 with numpy and unzip (for the benchmark only).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
data="${2:-/work/shared/testdata/srtm_hgt}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$root/bench/make_void_tile.py" "$data/N49E011.hgt" "$work/N49E011.hgt" 20
unzip -q -o "$data/N48W125.hgt.zip" -d "$work/src"
/usr/bin/python3 "$root/bench/make_void_tile.py" "$work/src/N48W125.hgt" "$work/N48W125.hgt" 20
run() {
  local tile="$1"
  shift
  echo "== gridmend-cli fill $(basename "$tile") $*"
  /usr/bin/time -f "wall %e s, user %U s, system %S s, peak memory %M KB" \
    "$build/app/gridmend-cli" fill "$tile" "$work/out.hgt" --null -32000 "$@" > /dev/null
}
run "$work/N49E011.hgt" --lsqr 0 --laplacian 200
run "$work/N49E011.hgt" --lsqr 500 --laplacian 100
run "$work/N48W125.hgt" --lsqr 0 --laplacian 200
