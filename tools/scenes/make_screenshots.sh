#!/usr/bin/env bash
# Makes the README's screenshots with vela-run: the main menu, the level selection with some
# progress saved, three levels in play (frames of their winning replays, with the HUD), the
# win window of a first win (a new best), the skins screen, two frames of one flight a second
# apart, a flight racing the ghost of the best one, and the options.
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

# Three levels won, with most of their stars and their best times.
printf 'highestLevelUnlocked\t4\nfoundstar1_1\tt\nfoundstar1_2\tt\nfoundstar1_3\tt\n%s' \
    "foundstar2_1	t
foundstar2_2	t
foundstar3_1	t
bestTime1	14.350000
bestTime2	21.080000
bestTime3	37.920000" >"$home/VelaEngine/data/records/Fleetwing.record"
printf '1\tmove\t-120\t90\n' >"$home/pointer.input"
shot scenes/levelselect 30 level-select.png --input "$home/pointer.input"

# The skins screen after one step to the next skin.
printf '1\tmove\t260\t60\n5\tdown\tmouse_left\n6\tup\tmouse_left\n20\tmove\t150\t-200\n' \
    >"$home/pointer.input"
shot scenes/skins 30 skins.png --input "$home/pointer.input"

# A first win of level 1 from a fresh save: the ribbon tells of the new best.
rm -f "$home/VelaEngine/data/records/Fleetwing.record"
shot scenes/level1 1300 win-window.png --input tests/replays/level1.input

# That win left level 1's ghost. The replay with the cursor held still for ten frames after the
# countdown flies a little differently: ten seconds in, the pale ghost of the first flight
# trails the live plane.
awk 'BEGIN { FS = OFS = "\t" } /^#/ { next } $1 >= 92 { $1 += 10 } { print }' \
    tests/replays/level1.input >"$home/held.input"
shot scenes/level1 700 ghost-race.png --input "$home/held.input"
# The other level 1 shots fly the ghost's own path, which would hide it under the plane.
rm -f "$home/VelaEngine/data/records/level1.ghost"

shot scenes/level1 420 level1.png --input tests/replays/level1.input
shot scenes/level4 1040 level4.png --input tests/replays/level4.input
shot scenes/level8 1700 level8.png --input tests/replays/level8.input

# The same flight one second apart: the clouds and hills slide by at shares of its speed.
shot scenes/level1 600 flight-1.png --input tests/replays/level1.input
shot scenes/level1 660 flight-2.png --input tests/replays/level1.input

# Menus that answer: a button under the pointer, one held down, the dialogs over their dimmed
# screens, and the credits as they open.
printf '1\tmove\t0\t-160\n' >"$home/pointer.input"
shot scenes/menu 30 menu-hover.png --input "$home/pointer.input"
printf '1\tmove\t0\t-160\n29\tdown\tmouse_left\n' >"$home/pointer.input"
shot scenes/menu 30 menu-pressed.png --input "$home/pointer.input"
printf '1\tmove\t-560\t-380\n' >"$home/pointer.input"
shot scenes/options 30 options.png --input "$home/pointer.input"
printf '1\tmove\t0\t-210\n10\tdown\tmouse_left\n11\tup\tmouse_left\n12\tmove\t130\t-150\n' \
    >"$home/pointer.input"
shot scenes/options 30 options-reset-dialog.png --input "$home/pointer.input"
printf '1\tmove\t300\t-200\n400\tdown\tescape\n400\tup\tescape\n420\tmove\t-20\t-10\n' \
    >"$home/pointer.input"
shot scenes/level1 440 level1-paused.png --input "$home/pointer.input"
shot scenes/credits 20 credits-start.png
