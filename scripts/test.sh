#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless (Xvfb, xcb platform).
# usage: scripts/test.sh [--sanitize]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
dir="$root/build"
opts=()
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build-sanitize"
  opts=(-DGRIDMEND_SANITIZE=ON -DGRIDMEND_BENCH=OFF)
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
"$root/scripts/build.sh" "$dir" "${opts[@]}"
cd "$dir"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$(nproc)"
