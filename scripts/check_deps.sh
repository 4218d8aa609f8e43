#!/usr/bin/env bash
# The dependency rules of the source folders: which includes each file may
# have, and a link graph without a cycle. Lists every forbidden include and
# exits 1 when there is one.
#
#   app/core            the standard library and the system only
#   engine              app/core/, engine/
#   formats             app/core/, formats/, system libraries (GDAL, libjpeg)
#   graphics, view,     app/core/, formats/, the folder's plain files, Qt Core/Gui
#   classify (plain)    (no Qt Widgets header)
#   window files        as their plain files, plus the folder's window files, ui/
#                       and Qt Widgets
#   ui                  app/core/, ui/, Qt
#   app                 anything (the composition root)
#
# A window file is a source of the folder's *_ui library (its CMakeLists.txt),
# or the header of the same name.
# usage: scripts/check_deps.sh
set -euo pipefail
cd "$(dirname "$0")/.."

widget_dirs=()
for d in /usr/include/*/qt6/QtWidgets /usr/include/qt6/QtWidgets /usr/include/*/qt6/QtOpenGLWidgets \
         /usr/include/qt6/QtOpenGLWidgets; do
  [ -d "$d" ] && widget_dirs+=("$d")
done
if [ ${#widget_dirs[@]} -eq 0 ]; then
  echo "check_deps: the Qt Widgets headers were not found" >&2
  exit 2
fi

# The window files of a folder: the sources of its *_ui library, and their headers.
window_files() {
  awk -v dir="$1" '
    /^add_library\([a-z_]*_ui / { inlib = 1; next }
    inlib && /\)/ { inlib = 0 }
    inlib && $1 ~ /\.cpp$/ { f = $1; print dir "/" f; sub(/\.cpp$/, ".h", f); print dir "/" f }
  ' "$1/CMakeLists.txt"
}
declare -A window=()
for d in graphics view classify; do
  while read -r f; do window[$f]=1; done < <(window_files "$d")
done

is_widget_header() {
  local d
  for d in "${widget_dirs[@]}"; do [ -e "$d/$1" ] && return 0; done
  return 1
}

# The include classes a file may use.
allowed_for() {
  local file=$1 dir=${1%%/*}
  case "$file" in
    app/core/*) echo "core" ;;
    app/*) echo "any" ;;
    engine/*) echo "core engine" ;;
    formats/*) echo "core formats" ;;
    ui/*) echo "core ui qt widgets" ;;
    graphics/* | view/* | classify/*)
      if [ -n "${window[$file]:-}" ]; then echo "core formats $dir-plain $dir-window ui qt widgets"
      else echo "core formats $dir-plain qt"; fi ;;
    *) echo "any" ;;
  esac
}

# The class of one include of a file.
class_of() {
  local inc=$1 kind=$2
  if [ "$kind" = '"' ]; then
    case "$inc" in
      app/core/*) echo core ;;
      engine/* | formats/* | ui/*) echo "${inc%%/*}" ;;
      graphics/* | view/* | classify/*)
        if [ -n "${window[$inc]:-}" ]; then echo "${inc%%/*}-window"; else echo "${inc%%/*}-plain"; fi ;;
      app/*) echo app ;;
      *) echo local ;;
    esac
  elif [[ "$inc" == Q* || "$inc" == Qt* ]]; then
    if is_widget_header "$inc"; then echo widgets; else echo qt; fi
  else
    echo system
  fi
}

failures=0
while read -r file; do
  allowed=" $(allowed_for "$file") "
  [ "$allowed" = " any " ] && continue
  while IFS=: read -r line text; do
    [[ "$text" =~ include[[:space:]]*([\<\"])([^\>\"]+) ]] || continue
    kind=${BASH_REMATCH[1]} inc=${BASH_REMATCH[2]}
    cls=$(class_of "$inc" "$kind")
    [ "$cls" = system ] && continue
    [ "$cls" = local ] && continue
    if [[ "$allowed" != *" $cls "* ]]; then
      echo "$file:$line: includes $inc ($cls), which ${file%/*}/ may not"
      failures=$((failures + 1))
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" || true)
done < <(git ls-files -- app engine formats graphics view classify ui | grep -E '\.(cpp|h)$')

# The link graph of the program's libraries: tsort finds any cycle.
edges=$(for f in app/core/CMakeLists.txt app/CMakeLists.txt engine/CMakeLists.txt formats/CMakeLists.txt \
                 graphics/CMakeLists.txt view/CMakeLists.txt classify/CMakeLists.txt ui/CMakeLists.txt; do
  tr '\n' ' ' < "$f" | grep -oE 'target_link_libraries\([^)]*\)' | sed -E 's/target_link_libraries\(//; s/\)//' |
    awk '{ for (i = 2; i <= NF; i++) if ($i !~ /^(PUBLIC|PRIVATE|INTERFACE)$/ && $i !~ /::/) print $1, $i }'
done)
if ! cycle=$(tsort <<<"$edges" 2>&1 >/dev/null) || [ -n "$cycle" ]; then
  echo "the libraries' link graph has a cycle:"
  echo "$cycle"
  failures=$((failures + 1))
fi

if [ "$failures" -gt 0 ]; then
  echo "dependency check: $failures forbidden dependencies"
  exit 1
fi
echo "dependency check: every include and link follows the folder rules"
