#!/usr/bin/env bash
# Peak memory of gridmend-cli convert and fill on the 3601 x 3601 tile N48W125
# (as it is, 78 % of it sea level or void), and, given a second gridmend-cli,
# whether both write the same bytes.
# usage: bench/cli_peak_memory.sh [build-dir] [other-gridmend-cli] [testdata-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
other="${2:-}"
data="${3:-/work/shared/testdata/srtm_hgt}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q -o "$data/N48W125.hgt.zip" -d "$work"
run() {
  local cli="$1" tag="$2"
  shift 2
  echo "== $tag: gridmend-cli $*"
  /usr/bin/time -f "wall %e s, peak memory %M KB" "$cli" "$@" > /dev/null
}
for cli in "$build/app/gridmend-cli" $other; do
  tag="$( [ "$cli" = "$other" ] && echo other || echo this )"
  run "$cli" "$tag" convert "$work/N48W125.hgt" "$work/$tag-convert.hgt"
  run "$cli" "$tag" fill "$work/N48W125.hgt" "$work/$tag-fill.hgt" --lsqr 0 --laplacian 100
done
if [ -n "$other" ]; then
  for step in convert fill; do
    cmp -s "$work/this-$step.hgt" "$work/other-$step.hgt" && echo "$step: same bytes" || echo "$step: bytes DIFFER"
  done
fi
