#!/usr/bin/env bash
# Counts non-blank, non-comment lines of the tracked C++ sources: the program's
# code (app, engine, formats, graphics, view, classify, ui) against the tests.
# usage: scripts/count_lines.sh
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  git ls-files -- "$@" | grep -E '\.(cpp|h)$' | xargs -r cat | awk '
    /^[ \t]*$/ { next }
    inblock { if ($0 ~ /\*\//) inblock = 0; next }
    /^[ \t]*\/\// { next }
    /^[ \t]*\/\*/ { if ($0 !~ /\*\//) inblock = 1; next }
    { n++ }
    END { print n + 0 }'
}
code=$(count app engine formats graphics view classify ui)
tests=$(count tests)
echo "code: $code lines; tests: $tests lines ($(( 100 * tests / code )) % of the code)"
