#!/usr/bin/env bash
# Builds the multi-threaded tests in the ThreadSanitizer configuration (the 'tsan'
# preset) and runs them; any data race reported fails the script.
# Usage: scripts/run-tsan.sh [test-target...]   (default: the threads and log tests)
set -euo pipefail
cd "$(dirname "$0")/.."

targets=("$@")
if ((${#targets[@]} == 0)); then targets=(threads_test log_concurrency_test timers_test); fi

echo "=== tsan: configure and build ${targets[*]}"
cmake --preset tsan >/dev/null
cmake --build --preset tsan --target "${targets[@]}"

export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:${TSAN_OPTIONS:-}"
for name in "${targets[@]}"; do
  exe=$(find build/tsan/tests -type f -executable -name "$name" | head -n1)
  echo "=== tsan: $name"
  "$exe" --gtest_brief=1
done
echo "=== tsan: no data race"
