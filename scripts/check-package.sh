#!/usr/bin/env bash
# Installs the library from a build directory into a scratch prefix, then builds and
# runs the example consumers (C++ and C) twice: once through the CMake package and once
# through pkg-config; finally runs the installed vorn program on its bundled sample.
# Usage: scripts/check-package.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" --strip >/dev/null
libdir=$(find "$work/prefix" -name 'libvorn_common.so' -printf '%h\n' | head -n1)

# --strip leaves no debugging information or full symbol table in the installed binaries.
for binary in "$libdir"/libvorn_common.so.*.*.* "$work/prefix/bin/vorn"; do
  [ -e "$binary" ] || continue
  if readelf -S "$binary" | grep -qE '\.(symtab|debug_info)'; then
    echo "$binary is not stripped" >&2
    exit 1
  fi
done

echo "--- consumers through find_package(vorn_common CONFIG REQUIRED)"
cmake -S examples/consumer -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$libdir" "$work/cmake/consumer"
LD_LIBRARY_PATH="$libdir" "$work/cmake/consumer_c"

echo "--- consumers through pkg-config --cflags --libs vorn_common"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046
c++ -std=c++17 examples/consumer/main.cpp $(pkg-config --cflags --libs vorn_common) -o "$work/pc-consumer"
LD_LIBRARY_PATH="$libdir" "$work/pc-consumer"
# shellcheck disable=SC2046
cc -std=c11 -Wall -Wextra -pedantic examples/consumer/main.c $(pkg-config --cflags --libs vorn_common) \
  -o "$work/pc-consumer-c"
LD_LIBRARY_PATH="$libdir" "$work/pc-consumer-c"

if [ -x "$work/prefix/bin/vorn" ]; then
  echo "--- the installed vorn program"
  status=0
  "$work/prefix/bin/vorn" update-check >/dev/null || status=$?
  if [ "$status" -ne 1 ]; then
    echo "vorn update-check on the bundled sample: exit status $status, expected 1" >&2
    exit 1
  fi
  "$work/prefix/bin/vorn" --version
fi
