#!/bin/bash
# Submits the fill of a tile set as a job array of TASKS tasks, then the preview
# picture as a job that starts when every task has succeeded.
#   scripts/slurm/submit_tiles.sh IN OUT TASKS [gridmend-cli tiles fill options...]
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 IN_DIR_OR_LIST OUT_DIR TASKS [options...]" >&2
  exit 2
fi
in=$1 out=$2 tasks=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
cli=${GRIDMEND_CLI:-gridmend-cli}
mkdir -p "$out/logs"
array=$(sbatch --parsable --array="0-$((tasks - 1))" --output="$out/logs/tiles-%A_%a.log" \
  --export="ALL,IN=$in,OUT=$out,SHARDS=$tasks,GRIDMEND_CLI=$cli,TILE_OPTIONS=$*" "$here/fill_tiles.sbatch")
sbatch --parsable --dependency="afterok:$array" --job-name=gridmend-preview --output="$out/logs/preview-%j.log" \
  --wrap="\"$cli\" tiles preview \"$in\" \"$out\""
echo "job array $array: logs in $out/logs"
