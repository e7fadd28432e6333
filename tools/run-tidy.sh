#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) over every C++ source of the repository that the
# build compiles, two at a time, and fails on any finding: tools/run-tidy.sh [BUILD] (default
# build; it needs BUILD/compile_commands.json). The path-sensitive analyzer costs about ten
# times the rest per file, so it runs over platform/ only, where the code handles raw memory
# and C libraries; the other checks run over the game, the engine and the tools (the tests and
# benchmarks compile slowly and would double the run).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
jobs="${TIDY_JOBS:-2}"
if [ ! -f "$build/compile_commands.json" ]; then
    echo "No $build/compile_commands.json: configure the build first (make configure)" >&2
    exit 1
fi
runner=$(command -v run-clang-tidy || command -v run-clang-tidy-14 || true)
if [ -z "$runner" ]; then
    echo "run-clang-tidy not found (tools/install-deps.sh clang-tidy)" >&2
    exit 1
fi
top=$(pwd)
log="$build/tidy.log"
: >"$log"
start=$(date +%s)
status=0
# GCC's own warning options in the compile commands are unknown to clang, and so are some
# of its link-time optimisation flags.
tidy() {
    "$runner" -p "$build" -j "$jobs" -quiet -extra-arg=-Wno-unknown-warning-option \
        -extra-arg=-Wno-ignored-optimization-argument "$@" >>"$log" 2>&1 || status=1
}
tidy "^$top/platform/.*\.cpp$"
tidy -checks=-clang-analyzer-* "^$top/(engine|game|tools|fuzz)/.*\.cpp$"
# The findings with their context, without the runner's colours and command lines.
sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E "(warning|error):" -A3 | grep -v "^clang-tidy" || true
echo "clang-tidy: $(($(date +%s) - start)) s (full log in $log)"
if [ "$status" -ne 0 ] || sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -qE "(warning|error):"; then
    echo "clang-tidy found faults (above)" >&2
    exit 1
fi
