#!/bin/sh
# Records the fingerprints that hold the engine to its present behaviour, frame by frame: each
# level replay's (tests/replays/levelN.hashes) and the broad-phase scenes'. Run it only when a
# change of behaviour is meant, and say so in the commit.
# Usage: tools/record-fingerprints.sh [BUILD_DIR]   (from the repository root)
set -eu
build=${1:-build}
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy GALLIUM_NOOP=1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for n in 1 2 3 4 5 6 7 8; do
    script=tests/replays/level$n.input
    frames=$(sed -n 's/.*--frames \([0-9][0-9]*\).*/\1/p' "$script" | head -n 1)
    HOME=$home "$build/tools/vela-run/vela-run" --assets assets --scene scenes/level$n \
        --input "$script" --frames "$frames" --frame-hashes tests/replays/level$n.hashes \
        >/dev/null 2>&1
    echo "level $n: $frames frames"
done
FLEETWING_RECORD_FINGERPRINTS=1 "$build/tests/fleetwing_tests" \
    --gtest_filter='BroadPhaseDifferential.SeededScenesKeepTheirRecordedFrames' >/dev/null
echo "broad phase: tests/engine/physics/fixtures/broadphase.hashes"
