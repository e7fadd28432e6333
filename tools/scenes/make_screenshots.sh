#!/usr/bin/env bash
# Makes the README's screenshots with vela-run: the main menu, the level selection with some
# progress saved, and three levels in play (frames of their winning replays).
#   tools/scenes/make_screenshots.sh [BUILD_FOLDER]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build="$root/$build" ;; esac
run="$build/tools/vela-run/vela-run"
out="$root/docs/screenshots"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$out" "$home/VelaEngine/data/records"
cd "$root"

shot() {  # scene, frame, file, extra arguments
    local scene=$1 frame=$2 file=$3
    shift 3
    HOME="$home" "$run" --scene "$scene" --frames "$frame" --screenshot "$frame:$out/$file" \
        "$@" >/dev/null
    echo "docs/screenshots/$file"
}

# A pointer resting beside the button it is about to press.
printf '1\tmove\t120\t30\n' >"$home/pointer.input"
shot scenes/menu 30 main-menu.png --input "$home/pointer.input"

# Three levels won, with most of their stars.
printf 'highestLevelUnlocked\t4\nfoundstar1_1\tt\nfoundstar1_2\tt\nfoundstar1_3\tt\n%s' \
    "foundstar2_1	t
foundstar2_2	t
foundstar3_1	t" >"$home/VelaEngine/data/records/Fleetwing.record"
printf '1\tmove\t-120\t90\n' >"$home/pointer.input"
shot scenes/levelselect 30 level-select.png --input "$home/pointer.input"

shot scenes/level1 300 level1.png --input tests/replays/level1.input
shot scenes/level4 1040 level4.png --input tests/replays/level4.input
shot scenes/level8 1700 level8.png --input tests/replays/level8.input
