#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing, benchmarking and fuzzing
# need. Idempotent: it runs apt-get only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev llvm clang-format clang-tidy
  libicu-dev libhwy-dev librapidxml-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libfmt-dev libspdlog-dev
  valgrind binutils
  doxygen abigail-tools groff-base
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 dpkg-dev icu-devtools
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  # An index that fails to download (the i386 security index has, on some mirrors) is
  # reported but not fatal: the install below says what it cannot find.
  "${sudo_cmd[@]}" apt-get update || echo "apt-get update reported errors; going on with the indexes it has"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
