#!/usr/bin/env bash
# Builds the Debian packages libvorn-common1, libvorn-common-dev and vorn-tools with
# CPack from a tree configured for /usr, installs them with `apt-get install ./*.deb`,
# runs the installed program, builds and runs the example consumers (C++ and C) against
# /usr through the CMake package and through pkg-config, and removes the packages again.
# Needs root or sudo; refuses to run when any of the packages is installed already.
# Usage: scripts/check-debs.sh [build-dir]   (default build/deb)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/deb}
packages=(vorn-tools libvorn-common-dev libvorn-common1)
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
# Fails, naming it, when any of the packages is installed.
none_installed() {
  for p in "${packages[@]}"; do
    if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "$p is installed" >&2
      return 1
    fi
  done
}

none_installed || { echo "remove it first" >&2; exit 1; }

echo "=== build and package (prefix /usr)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_DOCS=ON >/dev/null
cmake --build "$build" -j2 >/dev/null
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=()
for p in "${packages[@]}"; do
  deb=$(find "$build" -maxdepth 1 -name "${p}_*.deb" | head -n1)
  if [ -z "$deb" ]; then
    echo "no package $p was built" >&2
    exit 1
  fi
  debs+=("$(realpath "$deb")")
  echo "$(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
done

# The reference travels with the development files, the manual page with the program.
carries() {
  local listing
  listing=$(dpkg -c "$1")
  grep -qF -- "$2" <<<"$listing" || { echo "$(basename "$1") lacks $2" >&2; exit 1; }
}
carries "${debs[1]}" "/usr/share/doc/libvorn-common-dev/html/index.html"
carries "${debs[0]}" "/usr/share/man/man1/vorn.1.gz"

work=$(mktemp -d)
cleanup() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y --purge "${packages[@]}" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "=== apt-get install ./*.deb"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${debs[@]}" \
  >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
dpkg-query -W -f='${Package} ${Version} ${Status}\n' "${packages[@]}"

echo "=== the installed program"
command -v vorn
vorn --version
man -w vorn
status=0
vorn update-check || status=$?
if [ "$status" -ne 1 ]; then
  echo "vorn update-check: exit status $status, expected 1" >&2
  exit 1
fi

echo "=== consumers against /usr through find_package(vorn_common CONFIG REQUIRED)"
cmake -S examples/consumer -B "$work/cmake" -G Ninja >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/consumer"
"$work/cmake/consumer_c"

echo "=== consumers against /usr through pkg-config"
# shellcheck disable=SC2046
c++ -std=c++17 examples/consumer/main.cpp $(pkg-config --cflags --libs vorn_common) -o "$work/pc-consumer"
"$work/pc-consumer"
# shellcheck disable=SC2046
cc -std=c11 -Wall -Wextra -pedantic examples/consumer/main.c $(pkg-config --cflags --libs vorn_common) \
  -o "$work/pc-consumer-c"
"$work/pc-consumer-c"

echo "=== remove the packages"
cleanup
trap - EXIT
none_installed
echo "removed: ${packages[*]}"
