#!/usr/bin/env bash
# Runs every libFuzzer harness of a fuzz build, one after the other, for a set time each.
# Usage: tools/run-fuzzers.sh BUILD_DIR SECONDS [HARNESS...]
# The committed seeds in fuzz/corpus/<harness> are read; what a run adds goes to
# BUILD_DIR/fuzz-corpus/<harness>, and a finding to BUILD_DIR/fuzz-findings/<harness>-*.
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:?build folder}
seconds=${2:?seconds per harness}
shift 2
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    for source in fuzz/*.cpp; do
        harnesses+=("$(basename "$source" .cpp)")
    done
fi

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=1"

failed=()
summary=()
for name in "${harnesses[@]}"; do
    program="$build/fuzz/fuzz_$name"
    corpus="$build/fuzz-corpus/$name"
    findings="$build/fuzz-findings"
    mkdir -p "$corpus" "$findings"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=3
             -print_final_stats=1 -artifact_prefix="$findings/$name-")
    [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
    [ -f "fuzz/$name.options" ] && read -r -a extra < "fuzz/$name.options" && options+=("${extra[@]}")
    log="$build/fuzz-$name.log"
    echo "== fuzz_$name for ${seconds}s"
    "$program" "${options[@]}" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    summary+=("fuzz_$name: ${runs:-?} executions, exit $status")
    if [ $status -ne 0 ]; then
        failed+=("$name")
        tail -n 60 "$log"
    fi
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "Findings in: ${failed[*]} (inputs in $build/fuzz-findings, logs in $build/fuzz-*.log)"
    exit 1
fi
