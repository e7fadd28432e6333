#!/usr/bin/env python3
"""How forgiving a level's start is: seconds from the launch to the first crash for a player
who does nothing, and for one who holds the button with the cursor close under the plane.

    tools/start-survival.py [--vela-run build/tools/vela-run/vela-run] [--assets assets]
                            [--under PX] [LEVEL ...]

"idle" never touches the mouse: the countdown runs out after 6 s and the plane falls.
"hold" keeps the left button down from the first frame with the cursor still, PX pixels
(default 60) straight below the screen's centre, where the camera keeps the plane; the hold
launches the plane 1.5 s into the countdown. Either is timed from the launch to the first
contact that costs something (the checkpoint rescue or the loss); a flight that lasts 20 s
without one is reported as "> 20". Runs through `vela-run --control`.
"""

import argparse
import json

from velacontrol import ControlRun

FPS = 60
LIMIT_S = 20


def crashed(level):
    return level["lost"] or level["checkpointUsed"]


def seconds_to_crash(vela_run, assets, scene, under):
    """Seconds of flight before the first costly contact, or None past the limit; under is
    the cursor's distance below the centre while holding, or None for no input at all."""
    pilot = ControlRun(vela_run, scene, "start-survival", assets=assets)
    if under is not None:
        pilot.ask(f"move 0 {-under}")
        pilot.ask("down mouse_left")
    seen = json.loads(pilot.ask("step 1"))
    while seen["level"]["countdownLeft"] > 0 and seen["frame"] < 10 * FPS:
        seen = json.loads(pilot.ask("step 1"))
    launch = seen["frame"]
    while not crashed(seen["level"]) and seen["frame"] - launch < LIMIT_S * FPS:
        seen = json.loads(pilot.ask("step 1"))
    pilot.close()
    if not crashed(seen["level"]):
        return None
    return (seen["frame"] - launch) / FPS


def shown(seconds):
    return f"> {LIMIT_S}" if seconds is None else f"{seconds:.2f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vela-run", default="build/tools/vela-run/vela-run")
    parser.add_argument("--assets", default="assets")
    parser.add_argument("--under", type=int, default=60)
    parser.add_argument("levels", nargs="*", type=int, default=list(range(1, 9)))
    args = parser.parse_args()
    print(f"| level | idle: s to first crash | hold {args.under} px under: s to first crash |")
    print("|---|---|---|")
    for level in args.levels:
        scene = f"scenes/level{level}"
        idle = seconds_to_crash(args.vela_run, args.assets, scene, None)
        hold = seconds_to_crash(args.vela_run, args.assets, scene, args.under)
        print(f"| {level} | {shown(idle)} | {shown(hold)} |", flush=True)


if __name__ == "__main__":
    main()
