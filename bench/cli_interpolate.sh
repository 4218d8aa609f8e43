#!/usr/bin/env bash
# Whole-process figures of gridmend-cli interpolate on a 1201 x 1201 text grid:
# wall time and peak memory, with the relaxation alone and with LSQR.
# usage: bench/cli_interpolate.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/make_text_grid.py" "$work/in.txt" 1201 1201 30
run() {
  echo "== gridmend-cli interpolate $*"
  /usr/bin/time -f "wall %e s, peak memory %M KB" "$build/app/gridmend-cli" interpolate "$work/in.txt" "$work/out.txt" \
    --rows 1201 --columns 1201 "$@" > /dev/null
}
run --lsqr 0 --laplacian 100 --refining 10
if [ "${LSQR:-1}" = 1 ]; then
  run --lsqr 1000 --laplacian 100 --refining 0
fi
