#!/usr/bin/env python3
"""How forgiving the fan is: for each level, the band of cursor distances below the plane in
which holding the button keeps the plane hovering.

    tools/hover-band.py [--vela-run build/tools/vela-run/vela-run] [LEVEL ...]

A trial holds the left button with the cursor still, DIST pixels straight below the screen's
centre (where the camera keeps the plane), from the first frame; once the countdown is over it
watches the plane for 2 s. The trial hovers when the plane's vertical speed stays within
+-100 u/s all that time. Closer than the band the plane climbs away, further it falls away; the
two edges are found by bisection to 1 px. Runs through `vela-run --control`.
"""

import argparse
import json

from velacontrol import ControlRun

HOLD_FRAMES = 120  # 2 s at 60 frames a second
SPEED_LIMIT = 100.0
NEAREST, FURTHEST = 20, 320  # the fan reaches 300 px


def vertical_speeds(vela_run, scene, distance):
    """The plane's vertical speed in each frame of the watch, up to a crash that ends it (a
    plane that climbs or falls into something has shown which way it went)."""
    pilot = ControlRun(vela_run, scene, "hover-band")
    pilot.ask(f"move 0 {-distance}")
    pilot.ask("down mouse_left")
    seen = json.loads(pilot.ask("step 1"))
    while seen["level"]["countdownLeft"] > 0 and seen["frame"] < 600:
        seen = json.loads(pilot.ask("step 1"))
    speeds = []
    for _ in range(HOLD_FRAMES):
        seen = json.loads(pilot.ask("step 1"))
        if seen["level"]["ended"]:
            break  # the crash's own frame shows the bounce, not the flight
        speeds.append(seen["plane"]["velocity"][1])
    pilot.close()
    return speeds


def edge(vela_run, scene, holds_near, test):
    """The distance where `test` turns; `holds_near` says whether it holds at NEAREST."""
    near, far = NEAREST, FURTHEST
    while far - near > 1:
        middle = (near + far) // 2
        if test(vertical_speeds(vela_run, scene, middle)) == holds_near:
            near = middle
        else:
            far = middle
    return far if not holds_near else near


def band(vela_run, scene):
    def not_climbing(speeds):
        return max(speeds, default=0.0) <= SPEED_LIMIT

    def not_falling(speeds):
        return min(speeds, default=0.0) >= -SPEED_LIMIT

    low = edge(vela_run, scene, False, not_climbing)
    high = edge(vela_run, scene, True, not_falling)
    return low, high


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vela-run", default="build/tools/vela-run/vela-run")
    parser.add_argument("levels", nargs="*", type=int, default=list(range(1, 9)))
    args = parser.parse_args()
    print("| level | nearest hover (px) | furthest hover (px) | band (px) |")
    print("|---|---|---|---|")
    for level in args.levels:
        low, high = band(args.vela_run, f"scenes/level{level}")
        width = max(0, high - low + 1)
        print(f"| {level} | {low} | {high} | {width} |", flush=True)


if __name__ == "__main__":
    main()
