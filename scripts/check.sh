#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test in the normal build and in
# the AddressSanitizer/UndefinedBehaviorSanitizer build, checks formatting and
# clang-tidy, runs every fuzz target for a bounded time, runs the multi-threaded tests
# under ThreadSanitizer, and checks the installed package, the API reference and the ABI
# against its baseline; then the Windows builds, with the tests under Wine
# (VORN_CHECK_WINDOWS=0 leaves the Windows stage out).
# The manual page is checked by CTest (docs.man_page).
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

scripts/check-style.sh build/default

echo "=== fuzz targets under AddressSanitizer and UndefinedBehaviorSanitizer"
# 20 s per target, two at a time, keeps the whole check well inside ten minutes on two cores.
FUZZ_SECONDS=${FUZZ_SECONDS:-20} scripts/run-fuzzers.sh

echo "=== multi-threaded tests under ThreadSanitizer"
scripts/run-tsan.sh

echo "=== installed package: consumers through CMake and pkg-config"
scripts/check-package.sh build/default

echo "=== API reference: doxygen, every public declaration documented"
cmake --build --preset default --target docs || {
  cat build/default/docs/warnings.log
  exit 1
}

echo "=== ABI against the baseline of the current release"
scripts/check-abi.sh

# The Windows stage cross-builds ICU for both targets on its first run (cached under
# build/icu-mingw/ after that) and both DLLs with their tests.
if [ "${VORN_CHECK_WINDOWS:-1}" = 1 ]; then
  echo "=== Windows: mingw-w64 builds, exported names, tests under Wine"
  scripts/check-windows.sh
else
  echo "=== Windows: skipped (VORN_CHECK_WINDOWS=0)"
fi
