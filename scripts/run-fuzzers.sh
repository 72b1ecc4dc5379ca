#!/usr/bin/env bash
# Builds the libFuzzer targets (the 'fuzz' preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for a bounded time from a scratch copy
# of its seed corpus in fuzz/corpus/<target>/, so the tree is never written to.
# Any crash, sanitizer report, leak, timeout or model mismatch fails the script; the
# input that caused it is kept and its path printed.
#
# Usage: scripts/run-fuzzers.sh [target...]     (default: every target)
# Environment: FUZZ_SECONDS per target (default 30), FUZZ_JOBS targets at once
# (default 2), FUZZ_KEEP=1 keeps the scratch directory.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-30}
jobs=${FUZZ_JOBS:-2}

echo "=== fuzz: configure and build"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Every fuzz target is an executable directly under build/fuzz/fuzz/<dir>/.
mapfile -t all < <(find build/fuzz/fuzz -mindepth 2 -maxdepth 2 -type f -executable -printf '%f\n' | sort)
targets=("$@")
if ((${#targets[@]} == 0)); then targets=("${all[@]}"); fi
if ((${#targets[@]} == 0)); then
  echo "no fuzz targets built" >&2
  exit 1
fi

work=$(mktemp -d)
if [ "${FUZZ_KEEP:-0}" != 1 ]; then trap 'rm -rf "$work"' EXIT; fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"

run_one() {
  local name=$1
  local exe
  exe=$(find build/fuzz/fuzz -mindepth 2 -maxdepth 2 -type f -executable -name "$name" | head -n1)
  if [ -z "$exe" ]; then
    echo "no such fuzz target: $name" > "$work/$name.log"
    return 1
  fi
  mkdir -p "$work/$name/corpus" "$work/$name/artifacts"
  if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$work/$name/corpus/"; fi
  "$exe" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/$name/artifacts/" "$work/$name/corpus" > "$work/$name.log" 2>&1
}

declare -A pid_of
failed=()
started=0
for name in "${targets[@]}"; do
  # Keep at most $jobs targets running.
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
  run_one "$name" &
  pid_of[$name]=$!
  started=$((started + 1))
done

printf '%-18s %12s %8s %10s\n' target executions seconds exec/s
for name in "${targets[@]}"; do
  if ! wait "${pid_of[$name]}"; then failed+=("$name"); fi
  log="$work/$name.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
  printf '%-18s %12s %8s %10s\n' "$name" "${runs:-?}" "${secs:-?}" "${rate:-?}"
done

if ((${#failed[@]})); then
  for name in "${failed[@]}"; do
    echo "=== fuzz target $name FAILED; last lines of its output:"
    grep -v '^#\|^"\|NEW_FUNC' "$work/$name.log" | tail -n 40
    find "$work/$name/artifacts" -type f -printf '    artifact: %p\n' 2>/dev/null || true
  done
  if [ "${FUZZ_KEEP:-0}" != 1 ]; then
    # Keep the failing inputs where CI can collect them.
    mkdir -p build/fuzz/artifacts
    for name in "${failed[@]}"; do cp -r "$work/$name/artifacts/." build/fuzz/artifacts/ 2>/dev/null || true; done
    echo "failing inputs copied to build/fuzz/artifacts/"
  fi
  exit 1
fi
echo "=== fuzz: ${started} targets, ${seconds} s each, no crash"
