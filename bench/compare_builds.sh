#!/usr/bin/env bash
# The relaxation, LSQR and fill figures of two builds in one run, one after the other, for a change that
# must leave them as they were.
# usage: bench/compare_builds.sh BEFORE_BUILD AFTER_BUILD [ROUNDS]
# With ROUNDS > 1 the two builds take turns, so a busy moment of the machine falls on both.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
before="$1"; after="$2"; rounds="${3:-1}"
for round in $(seq "$rounds"); do
  for b in "$before" "$after"; do
    echo "######## $b"
    "$b/bench/bench_relaxation" --benchmark_filter='BM_RelaxationSweep' --benchmark_repetitions=3 \
        --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median'
    "$b/bench/bench_lsqr" --benchmark_filter='BM_LsqrIteration/' 2>/dev/null | grep -E 'BM_'
    "$root/bench/cli_fill.sh" "$b" 2>&1 | grep -E '^(==|wall)'
  done
done
