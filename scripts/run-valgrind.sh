#!/usr/bin/env bash
# Runs every unit-test executable of a build (default: build/default) under valgrind
# memcheck; any memory error or definitely/indirectly lost block fails the script.
# Usage: scripts/run-valgrind.sh [build-dir] [test-name...]
# Environment: VALGRIND_JOBS executables at once (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
shift || true
jobs=${VALGRIND_JOBS:-2}

if [ ! -d "$build/tests" ]; then
  echo "no tests in $build: build it first (cmake --build --preset default)" >&2
  exit 1
fi
mapfile -t exes < <(find "$build/tests" -type f -executable -name '*_test' | sort)
if (($# > 0)); then
  wanted=("$@")
  mapfile -t exes < <(printf '%s\n' "${exes[@]}" | grep -E "/($(IFS='|'; echo "${wanted[*]}"))\$")
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_one() {
  local exe=$1 name
  name=$(basename "$exe")
  local start=$SECONDS
  if valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
      --show-leak-kinds=definite,indirect --track-origins=yes --num-callers=30 \
      --suppressions=scripts/valgrind.supp \
      "$exe" --gtest_brief=1 > "$work/$name.log" 2>&1; then
    echo "ok   $name ($((SECONDS - start)) s)"
  else
    echo "FAIL $name ($((SECONDS - start)) s)"
    return 1
  fi
}

declare -A pid_of
for exe in "${exes[@]}"; do
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
  run_one "$exe" &
  pid_of[$exe]=$!
done
failed=()
for exe in "${exes[@]}"; do
  if ! wait "${pid_of[$exe]}"; then failed+=("$exe"); fi
done

for exe in "${failed[@]}"; do
  name=$(basename "$exe")
  echo "=== $name under valgrind:"
  grep -E '^==[0-9]+==' "$work/$name.log" | tail -n 60
  grep -E 'FAILED|Failure' "$work/$name.log" | head -n 20
done
if ((${#failed[@]})); then exit 1; fi
echo "=== valgrind: ${#exes[@]} test programs, no error, no leak"
