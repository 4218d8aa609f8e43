#!/usr/bin/env bash
# Installs what is missing, builds and starts the GRIDMEND desktop program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)."
  echo "Starting GRIDMEND under a virtual X server (xvfb-run): it runs, but nothing is visible on this machine."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/app/gridmend"
fi
exec "$root/build/app/gridmend"
