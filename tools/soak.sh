#!/usr/bin/env bash
# Long runs that look for what short tests miss: the eight level replays played back to back in
# one vela-run process under AddressSanitizer and LeakSanitizer (memory errors, leaks, growth of
# resident memory from level to level), then one level under valgrind's memcheck in the normal
# build. Prints the figures; exits non-zero when any check fails, keeping the logs.
#
# Usage: tools/soak.sh [BUILD] [SANITIZE_BUILD]   (the folders where vela-run was built)
# SOAK_CYCLES (default 3) times the eight levels; VALGRIND_FRAMES (default 300) frames of
# level 1; SOAK_GALLIUM_NOOP=0 draws through Mesa's real driver instead of its no-op one.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 2
build=${1:-build}
sanitize_build=${2:-build-sanitize}
cycles=${SOAK_CYCLES:-3}
valgrind_frames=${VALGRIND_FRAMES:-300}
levels=8
# Mesa's no-op driver takes every GL call and draws nothing: our code runs in full, the frame
# costs game logic only.
gl_env=()
[ "${SOAK_GALLIUM_NOOP:-1}" = 1 ] && gl_env=(GALLIUM_NOOP=1)

for runner in "$sanitize_build/tools/vela-run/vela-run" "$build/tools/vela-run/vela-run"; do
    [ -x "$runner" ] || { echo "soak: $runner is not built (make soak builds it)"; exit 2; }
done
command -v valgrind >/dev/null || { echo "soak: valgrind is missing (make soak installs it)"; exit 2; }

work=$(mktemp -d /tmp/fleetwing-soak-XXXXXX)
failed=0
fail() {
    echo "soak: FAIL: $*"
    failed=1
}
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", b - a }'; }

# The frame count a replay names in its heading ("... --frames N").
frames_of() {
    sed -n 's/^#.*--frames \([0-9][0-9]*\).*/\1/p' "$1" | head -n 1
}

# --- 1. The eight levels back to back under the sanitizers -------------------------------------
play=()
total=0
for ((cycle = 1; cycle <= cycles; cycle++)); do
    for ((n = 1; n <= levels; n++)); do
        script=tests/replays/level$n.input
        frames=$(frames_of "$script")
        [ -n "$frames" ] || { echo "soak: $script names no frame count"; exit 2; }
        play+=(--play "scenes/level$n:$script:$frames")
        total=$((total + frames))
    done
done
legs=$((cycles * levels))
echo "soak: $legs legs ($cycles x levels 1-$levels), $total frames, one process, ASan+LSan+UBSan${gl_env:+, GALLIUM_NOOP=1}"

mkdir -p "$work/home"
start=$(now)
env HOME="$work/home" "${gl_env[@]}" \
    ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$sanitize_build/tools/vela-run/vela-run" --assets assets "${play[@]}" \
    --leg-dump "$work/leg" --rss-log "$work/rss.log" >"$work/soak.out" 2>"$work/soak.err"
status=$?
soak_seconds=$(seconds "$start" "$(now)")
reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$work/soak.err")
echo "soak: exit $status, wall ${soak_seconds} s, sanitizer reports $reports"
[ "$status" -eq 0 ] || fail "vela-run exited with $status (see $work/soak.err)"
[ "$reports" -eq 0 ] || fail "sanitizer reports in $work/soak.err"

# Every leg must end with its level won (the win window in place, the level ended, all three
# stars), and resident memory must not grow from level to level.
python3 - "$work" "$levels" "$legs" <<'PYTHON' || failed=1
import json, sys

work, levels, legs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])

def entity(dump, name):
    return next((e for e in dump["entities"] if e["name"] == name), None)

def won(k):
    level = (k - 1) % levels + 1
    try:
        with open(f"{work}/leg{k}.json") as f:
            dump = json.load(f)
    except (OSError, ValueError):
        return False
    manager, win, lose = (entity(dump, n) for n in ("GameManager", "WinWindow", "LoseWindow"))
    if manager is None or win is None or lose is None:
        return False
    rules = next((c for c in manager["components"] if c["type"] == "GameManager"), {})
    return (rules.get("currentLevel") == level and rules.get("levelEnded") is True
            and rules.get("starsFound") == 3 and win["position"] == [0, 0]
            and lose["position"] != [0, 250])

lost = [k for k in range(1, legs + 1) if not won(k)]
print(f"soak: legs won {legs - len(lost)}/{legs}" + (f", not won: {lost}" if lost else ""))

rss = {}
try:
    with open(f"{work}/rss.log") as f:
        for line in f:
            word, k, scene, unit, kb = line.split()
            rss[int(k)] = (scene, int(kb))
except (OSError, ValueError):
    pass
if len(rss) != legs:
    print(f"soak: FAIL: the memory log has {len(rss)} of {legs} legs")
    sys.exit(1)
limit = 5 * 1024
first, cycle_end, last = rss[1][1], rss[levels][1], rss[legs][1]
print(f"soak: resident memory after leg 1 ({rss[1][0]}) {first} KB, after leg {levels} "
      f"({rss[levels][0]}) {cycle_end} KB, after leg {legs} ({rss[legs][0]}) {last} KB")
print(f"soak: growth last - leg 1 {last - first:+d} KB, last - leg {levels} {last - cycle_end:+d} KB "
      f"(limit {limit} KB), peak {max(kb for _, kb in rss.values())} KB")
ok = not lost and abs(last - first) <= limit and abs(last - cycle_end) <= limit
if not ok:
    print("soak: FAIL: a leg was not won or resident memory grew")
sys.exit(0 if ok else 1)
PYTHON

# --- 2. One level under valgrind's memcheck ------------------------------------------------------
echo "valgrind: $valgrind_frames frames of scenes/level1 with its replay, normal build${gl_env:+, GALLIUM_NOOP=1}"
start=$(now)
env HOME="$work/home" "${gl_env[@]}" \
    valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite \
    --suppressions="$root/tools/valgrind.supp" --num-callers=40 --log-file="$work/valgrind.log" \
    "$build/tools/vela-run/vela-run" --assets assets --scene scenes/level1 \
    --input tests/replays/level1.input --frames "$valgrind_frames" >"$work/valgrind.out" 2>&1
status=$?
valgrind_seconds=$(seconds "$start" "$(now)")
errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$work/valgrind.log" | tail -n 1 | tr -d ,)
suppressed=$(sed -n 's/.*ERROR SUMMARY: .*suppressed: \([0-9,]*\) from.*/\1/p' "$work/valgrind.log" | tail -n 1 | tr -d ,)
definite=$(sed -n 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/p' "$work/valgrind.log" | tail -n 1 | tr -d ,)
echo "valgrind: exit $status, wall ${valgrind_seconds} s, errors ${errors:-?}, suppressed ${suppressed:-0}, definitely lost ${definite:-0} bytes"
[ "$status" -eq 0 ] && [ "${errors:-1}" = 0 ] || fail "memcheck found errors (see $work/valgrind.log)"

if [ "$failed" -ne 0 ]; then
    echo "soak: logs kept in $work"
    exit 1
fi
rm -rf "$work"
echo "soak: PASS"
