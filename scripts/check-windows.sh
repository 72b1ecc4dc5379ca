#!/usr/bin/env bash
# The Windows check: ICU for mingw-w64, the x86-64 and i686 builds (vorn_common.dll,
# its import library, vorn.exe and the tests), their exported names, and the tests of
# the x86-64 build under Wine; the i686 tests run too where 32-bit Wine is installed and
# the kernel runs 32-bit programs.
#
# VORN_TRY_WINE32=0 skips the attempt to install 32-bit Wine. Where the mirror's i386
# security index is missing, the i386 libraries lag behind the installed amd64 ones;
# installing them then moves both to one common version, which upgrades, downgrades or
# removes system packages. That is done only on a throwaway machine (CI=true) or with
# VORN_TRY_WINE32=align.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh

werror=()
if [ "${CI:-}" = "true" ]; then werror=(-DVORN_WERROR=ON); fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installed_version() {
  dpkg-query -W -f='${db:Status-Status} ${Version}\n' "$1" 2>/dev/null | awk '$1 == "installed" {print $2}'
}

# Prints the install arguments for wine32:i386: every shared library it needs, and where
# the installed amd64 library has no i386 twin of the same version, both architectures
# at the i386 candidate's version (Multi-Arch: same packages must match). apt-cache is
# asked once per question, not once per package: each call reads the whole cache.
wine32_install_arguments() {
  local wine_version
  local -a closure
  wine_version=$(installed_version wine64)
  mapfile -t closure < <(apt-cache depends --recurse --no-recommends --no-suggests \
    --no-conflicts --no-breaks --no-replaces --no-enhances wine32:i386 2>/dev/null |
    sed -n 's/^\([^ <].*:i386\)$/\1/p' | sort -u)
  echo "wine32:i386=$wine_version"
  awk -v native="$(dpkg --print-architecture)" '
    FILENAME == ARGV[1] { if ($2 == native && $3 == "installed") amd64[$1] = $4; next }
    FILENAME == ARGV[2] {
      gsub(/ /, "")
      split($0, f, "|")
      sub(/:i386$/, "", f[1])
      has[f[1] SUBSEP f[2]] = 1
      next
    }
    /^Package: / { name = $2 }
    /^Version: / { version[name] = $2 }
    /^Multi-Arch: same/ { same[name] = 1 }
    /^Conflicts: / { sub(/^Conflicts: /, ""); conflicts[name] = $0 }
    END {
      for (p in version) {
        if (!same[p] || p == "wine32") continue
        n = split(conflicts[p], c, /, */)
        alternative = 0
        for (i = 1; i <= n; i++) { split(c[i], w, / /); if (w[1] in amd64) alternative = 1 }
        if (alternative) continue # stands in for something already installed
        if ((p in amd64) && !has[p SUBSEP amd64[p]])
          printf "%s:%s=%s\n%s:i386=%s\n", p, native, version[p], p, version[p]
        else
          printf "%s:i386\n", p
      }
    }' \
    <(dpkg-query -W -f='${Package} ${Architecture} ${db:Status-Status} ${Version}\n' 2>/dev/null) \
    <(apt-cache madison "${closure[@]}" 2>/dev/null) \
    <(apt-cache show --no-all-versions "${closure[@]}" 2>/dev/null)
}

apt_install() {
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "$@" \
    >/dev/null 2>&1
}

have_wine32() {
  [ -n "$(installed_version wine32:i386)" ] && return 0
  [ "${VORN_TRY_WINE32:-1}" != 0 ] || return 1
  local added=0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386 && added=1
  fi
  # The update reports the missing security index as an error; the rest still loads.
  as_root apt-get update -qq >/dev/null 2>&1 || true
  if apt_install "wine32:i386=$(installed_version wine64)"; then return 0; fi
  if [ "${CI:-}" = true ] || [ "${VORN_TRY_WINE32:-}" = align ]; then
    local arguments
    mapfile -t arguments < <(wine32_install_arguments)
    if apt_install --allow-downgrades "${arguments[@]}"; then return 0; fi
  fi
  if [ "$added" = 1 ]; then
    as_root dpkg --remove-architecture i386 && as_root apt-get update -qq >/dev/null 2>&1 || true
  fi
  return 1
}

# Some kernels are built or booted without 32-bit support; the i386 loader then cannot
# start at all ("Exec format error").
wine32_runs() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

step() {
  local label=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  echo "--- $label: $((SECONDS - start)) s"
  return "$status"
}

configure() {
  cmake --preset "$1" "${werror[@]}" >/dev/null
}

for target in x86_64 i686; do
  step "ICU for $target" scripts/build-icu-mingw.sh "$target"
done

echo "=== windows-x64: configure and build"
configure windows-x64
step "windows-x64 build" cmake --build --preset windows-x64
echo "=== windows-x64: tests under Wine"
step "windows-x64 tests" ctest --preset windows-x64

configure windows-i686
skip_tests=""
if ! step "32-bit Wine" have_wine32; then
  skip_tests="32-bit Wine cannot be installed here"
elif ! wine32_runs; then
  skip_tests="this kernel does not run 32-bit programs"
fi
if [ -z "$skip_tests" ]; then
  echo "=== windows-i686: build and tests under 32-bit Wine"
  step "windows-i686 build" cmake --build --preset windows-i686
  step "windows-i686 tests" ctest --preset windows-i686
else
  echo "=== windows-i686: $skip_tests; the DLL, vorn.exe and exported names only"
  step "windows-i686 build" cmake --build --preset windows-i686 --target vorn_common vorn
  step "windows-i686 exports" ctest --preset windows-i686 -R '^package\.exported_names$'
fi
