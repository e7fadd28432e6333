#!/bin/sh
# Instructions per frame of the frame-cost scene (bench/frame_cost --probe), counted by
# callgrind over the probed frames alone: exact and the same on every run, where wall time on
# a shared machine is not. With --cache, also the misses of a simulated 64 KiB L1 and 2 MiB L2.
# usage: tools/frame-instructions.sh [--cache] N [WARM [FRAMES]] [--no-repeat]
set -eu
build=${BUILD:-build}
cache=""
if [ "${1:-}" = "--cache" ]; then
    cache="--cache-sim=yes --D1=65536,8,64 --LL=2097152,16,64"
    shift
fi
if [ $# -lt 1 ]; then
    echo "usage: tools/frame-instructions.sh [--cache] N [WARM [FRAMES]] [--no-repeat]" >&2
    exit 2
fi
program="$build/bench/frame_cost"
[ -x "$program" ] || { echo "$program is not built: make bench builds it" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 1; }
frames=10
numbers=0
for arg in "$@"; do
    case "$arg" in
        --*) ;;
        *) numbers=$((numbers + 1)); [ "$numbers" -eq 3 ] && frames=$arg ;;
    esac
done
out=$(mktemp)
trap 'rm -f "$out" "$out.cg"' EXIT
# shellcheck disable=SC2086 # $cache is a list of options
valgrind --tool=callgrind --callgrind-out-file="$out.cg" --toggle-collect='*ProbedFrames*' \
    $cache "$program" --probe "$@" >/dev/null 2>"$out"
awk -v frames="$frames" '
    /Collected :/ { printf "instructions a frame: %.0f\n", $4 / frames }
    /D1  misses:/ { gsub(",", "", $4); printf "simulated L1 misses a frame: %.0f\n", $4 / frames }
    /LL misses:/ { gsub(",", "", $4); printf "simulated L2 misses a frame: %.0f\n", $4 / frames }
' "$out"
