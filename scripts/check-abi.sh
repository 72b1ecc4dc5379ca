#!/usr/bin/env bash
# Guards the binary interface of libvorn_common.so against the checked-in baseline
# abi/libvorn_common.so.<major>.abi, made with abidw from a release build.
#
#   scripts/check-abi.sh            build the library and compare it with the baseline of
#                                   its SONAME: added interfaces pass, an incompatible change
#                                   fails
#   scripts/check-abi.sh --update   write the baseline of the current SONAME; refused when
#                                   that would hide an incompatible change (bump the major
#                                   version in CMakeLists.txt first)
#
# The library is built the same way every time (GCC, RelWithDebInfo, no sanitizers, no
# compiler cache, source paths relative) and the baseline leaves out paths and source
# locations, so that it depends only on the interface, not on the machine, the checkout's
# place or the headers' comments.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-check}
build=build/abi

# No compiler launcher: a cache may rewrite source paths in the debug information.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER= \
  "-DCMAKE_C_FLAGS=-ffile-prefix-map=$PWD/=" "-DCMAKE_CXX_FLAGS=-ffile-prefix-map=$PWD/=" \
  -DVORN_SANITIZE= -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_TOOLS=OFF -DVORN_BUILD_DOCS=OFF >/dev/null
cmake --build "$build" --target vorn_common -j2 >/dev/null

library=$(find "$build/src" -maxdepth 1 -name 'libvorn_common.so.*.*.*' | head -n1)
soname=$(objdump -p "$library" | awk '$1 == "SONAME" { print $2 }')
baseline=abi/$soname.abi
current=$build/$soname.abi
abidw --headers-dir include/vorn --drop-private-types --no-corpus-path --no-comp-dir-path \
  --no-show-locs --type-id-style hash --out-file "$current" "$library"

# Compares the baseline with the current interface into $build/abidiff.txt and prints
# one word: "same", "added" (only new functions or variables) or "incompatible" (a
# function or variable removed or changed, a layout that its types reach changed).
# abidiff flags only removed symbols as incompatible (status bit 8) and any other change
# with bit 4, so its summary lines decide between additions and changes.
compare() {
  local status=0
  abidiff --no-show-locs "$baseline" "$current" >"$build/abidiff.txt" 2>&1 || status=$?
  if ((status & 3)); then
    cat "$build/abidiff.txt" >&2
    echo "abidiff failed (status $status)" >&2
    exit 1
  fi
  if ((status & 8)) || grep -qE 'summary: .*([1-9][0-9]* Removed|[1-9][0-9]* Changed)' "$build/abidiff.txt"; then
    echo incompatible
  elif ((status & 4)); then
    echo added
  else
    echo same
  fi
}

if [ "$mode" = "--update" ]; then
  if [ -f "$baseline" ] && [ "$(compare)" = incompatible ]; then
    cat "$build/abidiff.txt" >&2
    echo "refused: the change is incompatible, so $soname must become a new major version" >&2
    exit 1
  fi
  mkdir -p abi
  cp "$current" "$baseline"
  echo "wrote $baseline"
  exit 0
fi

if [ ! -f "$baseline" ]; then
  echo "no ABI baseline for $soname: a new major version needs its own baseline," >&2
  echo "made in the same change with scripts/check-abi.sh --update" >&2
  exit 1
fi
case $(compare) in
  incompatible)
    cat "$build/abidiff.txt" >&2
    echo "incompatible ABI change against $baseline: keep the interface, or raise the major" >&2
    echo "version (the SONAME) and write its baseline with scripts/check-abi.sh --update" >&2
    exit 1
    ;;
  added)
    grep 'summary:' "$build/abidiff.txt"
    echo "compatible ABI additions against $baseline"
    ;;
  *) echo "ABI unchanged against $baseline" ;;
esac
