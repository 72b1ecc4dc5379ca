#!/usr/bin/env bash
# Sets up the machine, builds the library and the vorn program, and runs
# `vorn update-check` on its bundled sample (or `vorn ARGS...` when given arguments).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vorn
args=("$@")
if ((${#args[@]} == 0)); then args=(update-check); fi
echo "\$ vorn ${args[*]}"
status=0
./build/default/tools/vorn "${args[@]}" || status=$?
# update-check answers 1 when it listed updates; only 2 and above are failures.
if ((status > 1)); then exit "$status"; fi
