#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test in the normal build and in
# the AddressSanitizer/UndefinedBehaviorSanitizer build, runs every fuzz target for a
# bounded time, runs the multi-threaded tests under ThreadSanitizer, and builds and
# tests the Windows DLL (scripts/check-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh

werror=()
if [ "${CI:-}" = "true" ]; then werror=(-DVORN_WERROR=ON); fi

for preset in default asan; do
  echo "=== ${preset}: configure and build"
  cmake --preset "$preset" "${werror[@]}" >/dev/null
  cmake --build --preset "$preset"
  echo "=== ${preset}: test"
  ctest --preset "$preset"
done

echo "=== fuzz targets under AddressSanitizer and UndefinedBehaviorSanitizer"
# 20 s per target, two at a time, keeps the whole check well inside ten minutes on two cores.
FUZZ_SECONDS=${FUZZ_SECONDS:-20} scripts/run-fuzzers.sh

echo "=== multi-threaded tests under ThreadSanitizer"
scripts/run-tsan.sh

echo "=== installed package: consumers through CMake and pkg-config"
scripts/check-package.sh build/default

echo "=== Windows: mingw-w64 builds, exported names, tests under Wine"
scripts/check-windows.sh
