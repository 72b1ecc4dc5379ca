#!/usr/bin/env bash
# Sets up the machine, builds the library and the vorn program, and runs vorn on
# its bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vorn
./build/default/tools/vorn "$@"
