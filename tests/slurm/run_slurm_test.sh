#!/bin/bash
# Fills a 3 x 3 tile set as a job array on a real single-node Slurm and checks that
# the outputs equal the one-process run byte for byte.
#
#   tests/slurm/run_slurm_test.sh BUILD_DIR
#
# Runs as root: installs munge and Slurm (Debian slurm-wlm packages) when missing,
# starts munged, slurmctld and slurmd from a configuration in a temporary folder (own
# ports, state and sockets; nothing under /etc is used), and stops them at the end.
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
cli=$build/app/gridmend-cli
[ -x "$cli" ] || { echo "no $cli: build gridmend-cli first" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "run as root: the test starts the Slurm daemons" >&2; exit 1; }

if ! command -v slurmctld >/dev/null || ! command -v slurmd >/dev/null || ! command -v sbatch >/dev/null ||
   ! command -v munged >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends slurmctld slurmd slurm-client munge
fi

tmp=$(mktemp -d /tmp/gridmend-slurm.XXXXXX)
chmod 700 "$tmp"
node=$(hostname -s)
export SLURM_CONF=$tmp/slurm.conf

stop() {
  set +e
  scancel --quiet --full --signal=KILL --user=root 2>/dev/null
  for pidfile in "$tmp/slurmd.pid" "$tmp/slurmctld.pid" "$tmp/munged.pid"; do
    [ -s "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null
  done
  sleep 1
  for pidfile in "$tmp/slurmd.pid" "$tmp/slurmctld.pid" "$tmp/munged.pid"; do
    [ -s "$pidfile" ] && kill -9 "$(cat "$pidfile")" 2>/dev/null
  done
  if [ "${keep:-0}" = 1 ]; then echo "logs kept in $tmp"; else rm -rf "$tmp"; fi
}
trap stop EXIT

# munge: a fresh key, its own socket.
mkdir -p "$tmp/munge"
dd if=/dev/urandom of="$tmp/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$tmp/munge/munge.key"
munged --force --key-file="$tmp/munge/munge.key" --socket="$tmp/munge/munge.socket" \
  --pid-file="$tmp/munged.pid" --log-file="$tmp/munged.log" --seed-file="$tmp/munge/munged.seed"

mkdir -p "$tmp/state" "$tmp/spool"
cat > "$SLURM_CONF" <<CONF
ClusterName=gridmendtest
SlurmctldHost=$node
SlurmctldPort=16917
SlurmdPort=16918
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$tmp/munge/munge.socket
CredType=cred/munge
StateSaveLocation=$tmp/state
SlurmdSpoolDir=$tmp/spool
SlurmctldPidFile=$tmp/slurmctld.pid
SlurmdPidFile=$tmp/slurmd.pid
SlurmctldLogFile=$tmp/slurmctld.log
SlurmdLogFile=$tmp/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
SchedulerType=sched/backfill
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
MpiDefault=none
ReturnToService=2
SlurmdTimeout=30
InactiveLimit=0
NodeName=$node CPUs=$(nproc) RealMemory=$(( $(awk '/MemTotal/ {print $2}' /proc/meminfo) / 1100 )) State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -c
slurmd
for _ in $(seq 60); do
  sinfo -h -o %T 2>/dev/null | grep -qE '^(idle|mixed|allocated)' && break
  sleep 1
done
sinfo -h -o %T | grep -qE '^(idle|mixed|allocated)' || { keep=1; echo "Slurm did not come up" >&2; exit 1; }

# A 3 x 3 set cut from a real tile, voids across its borders.
python3 "$repo/bench/make_tile_set.py" "$repo/tests/data/crop_N49E011.hgt" 3 34 "$tmp/in" \
  --void 28 8 9 12 --void 58 58 14 13 --void 0 30 4 7 --void 20 62 6 9
options="--lsqr 0 --laplacian 300 --refining 0 --halo 12"
# shellcheck disable=SC2086
"$cli" tiles fill "$tmp/in" "$tmp/one" $options --jobs 1 > "$tmp/one.log"

# The job array: three tasks, three shards; the preview after them.
mkdir -p "$tmp/out"
# shellcheck disable=SC2086
sbatch --wait --quiet --array=0-2 --cpus-per-task=1 --mem-per-cpu=200M --output="$tmp/out/tiles-%A_%a.log" \
  --export="ALL,IN=$tmp/in,OUT=$tmp/out,GRIDMEND_CLI=$cli,TILE_OPTIONS=$options" "$repo/scripts/slurm/fill_tiles.sbatch" ||
  { keep=1; echo "the job array failed" >&2; cat "$tmp"/out/*.log >&2; exit 1; }

status=0
for f in "$tmp"/one/*.hgt; do
  name=$(basename "$f")
  if ! cmp -s "$f" "$tmp/out/$name"; then
    echo "FAIL: $name differs from the one-process run" >&2
    status=1
  fi
done
[ "$(ls "$tmp"/out/*.hgt | wc -l)" -eq 9 ] || { echo "FAIL: not 9 outputs" >&2; status=1; }
[ "$(cat "$tmp"/out/tiles-*.log | grep -c ' of 3 N')" -eq 9 ] || { echo "FAIL: not 9 progress lines" >&2; status=1; }
[ $status -eq 0 ] && echo "PASS: the Slurm job array's 9 tiles equal the one-process run byte for byte"
[ $status -eq 0 ] || keep=1
exit $status
