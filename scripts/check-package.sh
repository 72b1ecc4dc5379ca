#!/usr/bin/env bash
# Installs the library from a build directory into a scratch prefix, then builds and
# runs the example consumer twice: once through the CMake package and once through
# pkg-config. Usage: scripts/check-package.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
libdir=$(find "$work/prefix" -name 'libvorn_common.so' -printf '%h\n' | head -n1)

echo "--- consumer through find_package(vorn_common CONFIG REQUIRED)"
cmake -S examples/consumer -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$libdir" "$work/cmake/consumer"

echo "--- consumer through pkg-config --cflags --libs vorn_common"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046
c++ -std=c++17 examples/consumer/main.cpp $(pkg-config --cflags --libs vorn_common) -o "$work/pc-consumer"
LD_LIBRARY_PATH="$libdir" "$work/pc-consumer"
