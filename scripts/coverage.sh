#!/usr/bin/env bash
# Line coverage of src/ by the whole test run (unit tests, command-line tests and the
# fuzz corpus replays). Builds an instrumented Debug tree in build/coverage, runs
# CTest there, then reads the counts with gcov and prints one line per source file
# and the total.
#
# Usage: scripts/coverage.sh [minimum-percent]   (fails when the total is below it)
# Environment: JOBS build and test jobs (default 2); SKIP_TESTS=1 reports the counts of
# the last run again without building or testing; COVERED_LINES=<file> also writes each
# covered line as "path:line", sorted, to compare two runs line by line.
set -euo pipefail
cd "$(dirname "$0")/.."

minimum=${1:-0}
jobs=${JOBS:-2}
build=build/coverage

# quiet <command>...: runs a step without its chatter; when it fails, shows all that it
# printed and stops the script with its status.
quiet() {
  local log status=0
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if ((status != 0)); then
    cat "$log" >&2
    rm -f "$log"
    echo "coverage: failed with status $status: $*" >&2
    exit "$status"
  fi
  rm -f "$log"
}

if [ "${SKIP_TESTS:-0}" != 1 ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  quiet cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
    -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage \
    -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage "${launcher[@]}"
  quiet cmake --build "$build" -j "$jobs"
  find "$build" -name '*.gcda' -delete
  # The exported-names check reads the shared library, to which coverage adds symbols.
  quiet ctest --test-dir "$build" -j "$jobs" --output-on-failure -E package.exported_names
fi

# gcov's JSON for every object of the library; each source line counts once, covered
# when any object that holds it ran it (headers are shared by many objects).
if [ -z "$(find "$build/src" -name '*.gcda' -print -quit 2>/dev/null)" ]; then
  echo "coverage: no counts under $build/src; run the tests first" >&2
  exit 1
fi
report=$(mktemp -d)
trap 'rm -rf "$report"' EXIT
find "$PWD/$build/src" -name '*.gcda' -print0 | (cd "$report" && xargs -0 gcov --json-format --preserve-paths >/dev/null 2>&1)
python3 - "$report" "$PWD/src/" "$minimum" "${COVERED_LINES:-}" <<'PY'
import glob, gzip, json, os, sys
report, root, minimum, covered_out = sys.argv[1], sys.argv[2], float(sys.argv[3]), sys.argv[4]
lines = {}
for name in glob.glob(os.path.join(report, "*.gcov.json.gz")):
    with gzip.open(name, "rt") as fh:
        data = json.load(fh)
    base = data.get("current_working_directory", "")
    for f in data["files"]:
        path = os.path.normpath(os.path.join(base, f["file"]))
        if not path.startswith(root):
            continue
        seen = lines.setdefault(path[len(root):], {})
        for line in f["lines"]:
            n = line["line_number"]
            seen[n] = seen.get(n, False) or line["count"] > 0
total = covered = 0
for path in sorted(lines):
    hit = sum(lines[path].values())
    total += len(lines[path])
    covered += hit
    print(f"{path:44} {hit:5}/{len(lines[path]):<5} {100.0 * hit / max(len(lines[path]), 1):6.1f}%")
if covered_out:
    with open(covered_out, "w") as out:
        for path in sorted(lines):
            out.writelines(f"{path}:{n}\n" for n in sorted(lines[path]) if lines[path][n])
percent = 100.0 * covered / max(total, 1)
print(f"{'src/ total':44} {covered:5}/{total:<5} {percent:6.1f}%")
sys.exit(1 if percent < minimum else 0)
PY
