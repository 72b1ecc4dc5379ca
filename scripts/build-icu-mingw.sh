#!/usr/bin/env bash
# Builds ICU's common library and a converter-only data library for Windows with
# mingw-w64, from Debian's ICU source package.
#
#   scripts/build-icu-mingw.sh x86_64|i686
#
# The result lands in build/icu-mingw/<target>/ (bin/*.dll, lib/*.dll.a, include/).
# The cross build runs ICU's own tools from Debian's icu-devtools, the same release as
# the source, so nothing is built natively; a finished target costs nothing on the next
# run. VORN_ICU_ROOT moves the whole tree elsewhere.
set -euo pipefail

target=${1:?usage: build-icu-mingw.sh x86_64|i686}
case "$target" in
  x86_64 | i686) ;;
  *)
    echo "unknown target: $target" >&2
    exit 2
    ;;
esac

repo=$(cd "$(dirname "$0")/.." && pwd)
root=${VORN_ICU_ROOT:-$repo/build/icu-mingw}
items=$repo/cmake/icu-data-items.txt
jobs=${VORN_JOBS:-2}
prefix=$root/$target
export PATH=$PATH:/usr/sbin  # where Debian puts icupkg and genccode
common_options=(--disable-tests --disable-samples --disable-extras --disable-icuio --disable-layoutex)

# A target is rebuilt when the converter list or the recipe (its version here) changes.
recipe=2
fingerprint=$( (cat "$items" && echo "$recipe") | sha256sum | cut -c1-16)
if [ "$(cat "$prefix/.done" 2>/dev/null)" = "$fingerprint" ]; then
  echo "ICU for $target: up to date in $prefix"
  exit 0
fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Adds deb-src entries mirroring the machine's deb entries, once.
add_source_entries() {
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      as_root tee /etc/apt/sources.list.d/vorn-deb-src.sources >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/vorn-deb-src.list >/dev/null
  fi
  # A mirror index that fails to download must not stop the build; showsrc tells.
  as_root apt-get update -qq || true
}

fetch_source() {
  local dir=$root/src
  if compgen -G "$dir/icu-*/source/configure" >/dev/null; then return; fi
  if ! apt-cache showsrc icu 2>/dev/null | grep -q '^Version: 72'; then add_source_entries; fi
  mkdir -p "$dir"
  (cd "$dir" && apt-get source -qq icu)
}

time_step() {
  local label=$1 start=$SECONDS
  shift
  "$@"
  echo "ICU $label: $((SECONDS - start)) s"
}

# The cross build runs ICU's own tools (icupkg, pkgdata) on this machine. Debian's
# icu-devtools are the same release as the source package, so a small folder that
# presents them as a native build stands in for building them here.
make_tool_root() {
  local dir=$root/tools
  rm -rf "$dir" && mkdir -p "$dir/bin" "$dir/lib" "$dir/config"
  local tool
  for tool in icupkg pkgdata genccode; do ln -s "$(command -v "$tool")" "$dir/bin/$tool"; done
  cat >"$dir/config/icucross.mk" <<MK
CROSS_ICU_VERSION=$version
TOOLEXEEXT=
TOOLBINDIR=\$(cross_buildroot)/bin
TOOLLIBDIR=\$(cross_buildroot)/lib
INVOKE=
PKGDATA_INVOKE=
MK
  echo 'CURR_FULL_DIR=$(shell pwd)' >"$dir/config/icucross.inc"
}

# The prebuilt data archive cut down to the alias table and the listed converters.
make_data_subset() {
  local all keep
  all=$(mktemp) keep=$(mktemp)
  icupkg -l "$source/data/in/icudt${major}l.dat" | sort >"$all"
  grep -v '^#' "$items" | sort >"$keep"
  comm -23 "$all" "$keep" >"$root/data-removed.txt"
  icupkg -r "$root/data-removed.txt" "$source/data/in/icudt${major}l.dat" "$root/icudt${major}l.dat" >/dev/null
  rm -f "$all" "$keep"
}

# Only the pieces the library links: stub data, the common library and the data.
build_cross() {
  local dir=$root/build-$target
  rm -rf "$prefix"
  mkdir -p "$dir"
  (
    cd "$dir"
    if [ ! -f config.status ]; then
      "$source/configure" --host="$target-w64-mingw32" --with-cross-build="$root/tools" \
        "${common_options[@]}" --disable-tools --prefix="$prefix" >configure.log 2>&1
    fi
    mkdir -p lib bin  # the top-level make would create them
    local data=(ICUDATA_SOURCE_ARCHIVE="$root/icudt${major}l.dat")
    make -j"$jobs" -C stubdata >make.log 2>&1
    make -j"$jobs" -C common >>make.log 2>&1
    make -j"$jobs" -C data "${data[@]}" >>make.log 2>&1
    make -C common install >>make.log 2>&1
    make -C data install "${data[@]}" >>make.log 2>&1
    # For i686 pkgdata names the data library libicudt72.dll, but the common library
    # imports icudt72.dll (the name its stub data had), as on x86-64.
    if [ -f "$prefix/bin/libicudt$major.dll" ]; then
      mv -f "$prefix/bin/libicudt$major.dll" "$prefix/bin/icudt$major.dll"
    fi
  ) || {
    tail -n 20 "$dir/make.log" >&2
    return 1
  }
  echo "$fingerprint" >"$prefix/.done"
}

time_step "source" fetch_source
source=$(compgen -G "$root/src/icu-*/source" | head -n1)
version=$(sed -n 's/^#define U_ICU_VERSION "\(.*\)"/\1/p' "$source/common/unicode/uvernum.h")
major=${version%%.*}
time_step "tools and data" eval "make_tool_root && make_data_subset"
time_step "cross build ($target)" build_cross
