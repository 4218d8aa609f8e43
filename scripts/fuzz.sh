#!/usr/bin/env bash
# Builds every libFuzzer target with clang (address and undefined-behaviour
# sanitizers) and runs each for a fixed time on a copy of its seed corpus.
# usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
"$root/scripts/deps.sh"
dir="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGRIDMEND_FUZZ=ON -DGRIDMEND_TESTS=OFF -DGRIDMEND_BENCH=OFF > /dev/null
cmake --build "$dir" --target fuzz_all -j "$(nproc)"
work="$dir/corpus-work"
for fuzzer in "$dir"/fuzz/fuzz_*; do
  [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
  name="$(basename "$fuzzer")"
  seeds="$root/fuzz/corpus/${name#fuzz_}"
  rm -rf "$work/$name" && mkdir -p "$work/$name"
  [ -d "$seeds" ] && cp -r "$seeds/." "$work/$name/"
  echo "== $name ($seeds, ${seconds} s)"
  "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 "$work/$name" 2>&1 | tail -n 2
done
