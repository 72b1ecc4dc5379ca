#!/usr/bin/env bash
# Style is checked, not hoped for: every C and C++ file git tracks must be as
# clang-format writes it, and clang-tidy (.clang-tidy) must find nothing in the library
# and the program. clang-tidy reads the compile database of a configured build
# (default: build/default) and runs two files at a time.
#
# Usage: scripts/check-style.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}

echo "=== style: clang-format"
git ls-files -z '*.h' '*.hpp' '*.c' '*.cpp' | xargs -0 clang-format --dry-run -Werror

echo "=== style: clang-tidy"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "no compile database in $build: configure it first" >&2
  exit 1
fi
start=$(date +%s)
run-clang-tidy -j "${JOBS:-2}" -quiet -p "$build" "$PWD/src/" "$PWD/tools/" >"$build/clang-tidy.log" 2>&1 || {
  sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E -A3 'warning:|error:' | head -n 80
  exit 1
}
echo "=== style: clean (clang-tidy $(($(date +%s) - start)) s)"
