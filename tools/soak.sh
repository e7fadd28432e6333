#!/usr/bin/env bash
# Long runs that look for what short tests miss, with the eight level replays played back to
# back, cycle after cycle, in one vela-run process:
#   1. sanitizers: the AddressSanitizer/LeakSanitizer/UBSan build; no report, no leak, every leg
#      won. Drawn through Mesa's no-op driver (GALLIUM_NOOP=1): every GL call of ours still runs,
#      the frame costs our code only, about four times faster than drawing for real.
#   2. memory: the normal build drawing through llvmpipe; every leg won and resident memory flat
#      from cycle to cycle (the last cycle's highest point within 5 MB of the first's; the
#      figures after leg 1, after leg 8 and after the last leg are printed as well). Not under the no-op driver: it never gives back the storage of a
#      deleted buffer, and animated images rebuild their quads as they animate, so memory would
#      grow by the driver's doing alone (ASan's quarantine would blur the figure as well).
#   3. valgrind: memcheck on VALGRIND_FRAMES frames of level 1 in the normal build, on the no-op
#      driver as well: under memcheck, llvmpipe's software rasteriser makes one frame cost
#      seconds. tools/valgrind.supp holds the suppressions (system libraries only).
#   4. starts: SOAK_STARTS (default 1000) separate vela-run processes of the normal build, each
#      starting level 1, playing two frames and quitting through the game's own path, on the
#      no-op driver; each must exit 0 within STARTS_TIMEOUT seconds (default 30). A quit that
#      hangs in the GL driver shows here as a timeout.
# Prints the figures; exits non-zero when a check fails, keeping the logs.
#
# Usage: tools/soak.sh [BUILD] [SANITIZE_BUILD]   (the folders where vela-run was built)
# SOAK_CYCLES (default 3) times the eight levels; VALGRIND_FRAMES (default 300);
# SOAK_ONLY=sanitizers, memory, valgrind or starts runs one part.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 2
build=${1:-build}
sanitize_build=${2:-build-sanitize}
cycles=${SOAK_CYCLES:-3}
valgrind_frames=${VALGRIND_FRAMES:-300}
only=${SOAK_ONLY:-}
levels=8
rss_limit_kb=$((5 * 1024))

for runner in "$sanitize_build/tools/vela-run/vela-run" "$build/tools/vela-run/vela-run"; do
    [ -x "$runner" ] || { echo "soak: $runner is not built (make soak builds it)"; exit 2; }
done
command -v valgrind >/dev/null || { echo "soak: valgrind is missing (make soak installs it)"; exit 2; }
command -v python3 >/dev/null || { echo "soak: python3 is missing (make soak installs it)"; exit 2; }

work=$(mktemp -d /tmp/fleetwing-soak-XXXXXX)
failed=0
fail() {
    echo "soak: FAIL: $*"
    failed=1
}
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", b - a }'; }

# The legs of every part: levels 1 to 8 with their replays, SOAK_CYCLES times.
play=()
total=0
for ((cycle = 1; cycle <= cycles; cycle++)); do
    for ((n = 1; n <= levels; n++)); do
        script=tests/replays/level$n.input
        frames=$(sed -n 's/^#.*--frames \([0-9][0-9]*\).*/\1/p' "$script" | head -n 1)
        [ -n "$frames" ] || { echo "soak: $script names no frame count"; exit 2; }
        play+=(--play "scenes/level$n:$script:$frames")
        total=$((total + frames))
    done
done
legs=$((cycles * levels))

# run_legs NAME RUNNER [VAR=VALUE...]: the whole play in one process, in $work/NAME.
run_legs() {
    local name=$1 runner=$2 start status
    shift 2
    mkdir -p "$work/$name/home"
    echo "$name: $legs legs ($cycles x levels 1-$levels), $total frames, one process, $*"
    start=$(now)
    env HOME="$work/$name/home" "$@" "$runner" --assets assets "${play[@]}" \
        --leg-dump "$work/$name/leg" --rss-log "$work/$name/rss.log" \
        >"$work/$name/out.log" 2>"$work/$name/err.log"
    status=$?
    echo "$name: exit $status, wall $(seconds "$start" "$(now)") s"
    [ "$status" -eq 0 ] || fail "$name: vela-run exited with $status (see $work/$name/err.log)"
}

# check_legs NAME RSS_CHECK: every leg won (win window in place, level ended, three stars);
# prints resident memory and, with RSS_CHECK 1, fails when it grew from cycle to cycle.
check_legs() {
    python3 - "$work/$1" "$1" "$levels" "$legs" "$2" "$rss_limit_kb" <<'PYTHON' || failed=1
import json, sys

folder, name, levels, legs, check_rss, limit = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])

def entity(dump, wanted):
    return next((e for e in dump["entities"] if e["name"] == wanted), None)

def won(k):
    try:
        with open(f"{folder}/leg{k}.json") as f:
            dump = json.load(f)
    except (OSError, ValueError):
        return False
    manager, win, lose = (entity(dump, n) for n in ("GameManager", "WinWindow", "LoseWindow"))
    if manager is None or win is None or lose is None:
        return False
    rules = next((c for c in manager["components"] if c["type"] == "GameManager"), {})
    return (rules.get("currentLevel") == (k - 1) % levels + 1 and rules.get("levelEnded") is True
            and rules.get("starsFound") == 3 and win["position"] == [0, 0]
            and lose["position"] != [0, 250])

lost = [k for k in range(1, legs + 1) if not won(k)]
print(f"{name}: legs won {legs - len(lost)}/{legs}" + (f", not won: {lost}" if lost else ""))
ok = not lost

rss = {}
try:
    with open(f"{folder}/rss.log") as f:
        for line in f:
            _, k, scene, _, kb = line.split()
            rss[int(k)] = (scene, int(kb))
except (OSError, ValueError):
    pass
if len(rss) != legs:
    print(f"{name}: FAIL: the memory log has {len(rss)} of {legs} legs")
    sys.exit(1)
print(f"{name}: resident KB after each leg: " + " ".join(str(kb) for _, kb in rss.values()))
first, cycle_end, last = rss[1][1], rss[levels][1], rss[legs][1]
print(f"{name}: resident after leg 1 ({rss[1][0]}) {first} KB, after leg {levels} "
      f"({rss[levels][0]}) {cycle_end} KB, after leg {legs} ({rss[legs][0]}) {last} KB; "
      f"last - leg 1 {last - first:+d} KB, last - leg {levels} {last - cycle_end:+d} KB")
# After any one leg the figure wanders within a band some 15 MB wide, the same level included:
# the allocator gives freed pages back only from the top of its heap, and the driver keeps
# shader variants. A leak shows as a band that climbs, so the highest point of the last
# cycle is held to that of the first.
first_peak = max(rss[k][1] for k in range(1, levels + 1))
last_peak = max(rss[k][1] for k in range(legs - levels + 1, legs + 1))
print(f"{name}: highest after a leg: first cycle {first_peak} KB, last cycle {last_peak} KB "
      f"({last_peak - first_peak:+d} KB)")
if check_rss and last_peak - first_peak > limit:
    print(f"{name}: FAIL: resident memory climbed by more than {limit} KB from cycle to cycle")
    ok = False
elif not ok:
    print(f"{name}: FAIL: a leg was not won")
sys.exit(0 if ok else 1)
PYTHON
}

soak_sanitizers() {
    run_legs sanitizers "$sanitize_build/tools/vela-run/vela-run" GALLIUM_NOOP=1 \
        ASAN_OPTIONS=detect_leaks=1 \
        LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0:intercept_tls_get_addr=0" \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    local reports
    reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' \
        "$work/sanitizers/err.log")
    echo "sanitizers: reports $reports"
    [ "$reports" -eq 0 ] || fail "sanitizers: reports in $work/sanitizers/err.log"
    check_legs sanitizers 0
}

soak_memory() {
    run_legs memory "$build/tools/vela-run/vela-run"
    check_legs memory 1
}

soak_valgrind() {
    local start status errors suppressed definite
    mkdir -p "$work/valgrind/home"
    echo "valgrind: memcheck, $valgrind_frames frames of scenes/level1 with its replay, GALLIUM_NOOP=1"
    start=$(now)
    # --keep-debuginfo: the GL driver is unloaded before the leak check, and without its name
    # a leak inside it could not be told from one of ours.
    # --fair-sched: valgrind runs one thread at a time, and its default lock let SDL's audio
    # thread spin while the main thread waited for it at exit (a hang once in five runs).
    # A run that hangs all the same must not hold make soak forever.
    env HOME="$work/valgrind/home" GALLIUM_NOOP=1 \
        timeout "${VALGRIND_TIMEOUT:-900}" valgrind --tool=memcheck --fair-sched=yes --error-exitcode=1 --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite --keep-debuginfo=yes \
        --suppressions="$root/tools/valgrind.supp" --num-callers=40 \
        --log-file="$work/valgrind/valgrind.log" \
        "$build/tools/vela-run/vela-run" --assets assets --scene scenes/level1 \
        --input tests/replays/level1.input --frames "$valgrind_frames" \
        >"$work/valgrind/out.log" 2>&1
    status=$?
    local log="$work/valgrind/valgrind.log"
    errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$log" | tail -n 1 | tr -d ,)
    suppressed=$(sed -n 's/.*ERROR SUMMARY: .*suppressed: \([0-9,]*\) from.*/\1/p' "$log" |
        tail -n 1 | tr -d ,)
    definite=$(sed -n 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/p' "$log" | tail -n 1 | tr -d ,)
    echo "valgrind: exit $status, wall $(seconds "$start" "$(now)") s, errors ${errors:-?}," \
        "suppressed ${suppressed:-0}, definitely lost ${definite:-0} bytes"
    [ "$status" -ne 124 ] || fail "valgrind: no end within ${VALGRIND_TIMEOUT:-900} s (see $log)"
    [ "$status" -eq 0 ] && [ "${errors:-1}" = 0 ] || fail "valgrind: errors (see $log)"
}

soak_starts() {
    local runs=${SOAK_STARTS:-1000} limit=${STARTS_TIMEOUT:-30} hangs=0 failures=0 start i status
    mkdir -p "$work/starts/home"
    echo "starts: $runs runs of scenes/level1 for 2 frames, each its own process, GALLIUM_NOOP=1"
    start=$(now)
    for ((i = 1; i <= runs; i++)); do
        env HOME="$work/starts/home" GALLIUM_NOOP=1 timeout "$limit" \
            "$build/tools/vela-run/vela-run" --assets assets --scene scenes/level1 --frames 2 \
            >"$work/starts/out.log" 2>&1
        status=$?
        if [ "$status" -eq 124 ]; then
            hangs=$((hangs + 1))
            cp "$work/starts/out.log" "$work/starts/hang$i.log"
        elif [ "$status" -ne 0 ]; then
            failures=$((failures + 1))
            cp "$work/starts/out.log" "$work/starts/fail$i.log"
        fi
    done
    echo "starts: $runs runs, wall $(seconds "$start" "$(now)") s, hangs (no exit within" \
        "$limit s) $hangs, other failures $failures"
    [ "$hangs" -eq 0 ] || fail "starts: $hangs runs never ended (logs in $work/starts)"
    [ "$failures" -eq 0 ] || fail "starts: $failures runs failed (logs in $work/starts)"
}

for part in sanitizers memory valgrind starts; do
    if [ -z "$only" ] || [ "$only" = "$part" ]; then
        "soak_$part"
    fi
done

if [ "$failed" -ne 0 ]; then
    echo "soak: logs kept in $work"
    exit 1
fi
rm -rf "$work"
echo "soak: PASS"
