#!/usr/bin/env python3
"""Finds the gate departure frames of a level's route and records the winning replay.

    python3 tools/autopilot/search.py [--build build] LEVEL...

A route (tools/autopilot/routes/levelN.route, written by tools/scenes/make_scenes.py) stops
the plane at each gate until a departure frame. For each gate in turn this tries departures
from the frame the plane settled there, a tenth of a second apart, and keeps the middle of
the first run of departures that all reach the next gate (or win) without a crash or a
rescue. The frames go to routes/levelN.gates; the flight with them is written to
tests/replays/levelN.input.

Runs are headless and skip drawing (GALLIUM_NOOP), so one try costs well under a second.
"""

import argparse
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ROUTES = os.path.join(ROOT, "tools", "autopilot", "routes")
REPLAYS = os.path.join(ROOT, "tests", "replays")

STEP = 6            # frames between tried departures
TRIES = 100         # departures tried per gate (10 s)
WINDOW = 4          # consecutive good departures needed


def run(build, level, gates, out=None):
    cmd = [os.path.join(ROOT, build, "tools", "autopilot", "autopilot"),
           "--scene", f"scenes/level{level}",
           "--route", os.path.join(ROUTES, f"level{level}.route"),
           "--assets", os.path.join(ROOT, "assets")]
    if gates:
        cmd += ["--gates", ",".join(str(g) for g in gates)]
    if out:
        cmd += ["--out", out]
    env = dict(os.environ, GALLIUM_NOOP="1", HOME=os.path.join(ROOT, build, "autopilot-home"))
    text = subprocess.run(cmd, env=env, capture_output=True, text=True, check=True).stdout
    line = [ln for ln in text.splitlines() if ln.startswith("result=")][-1]
    return dict(part.split("=") for part in line.split())


def good(outcome, gate_number):
    if outcome["rescued"] != "0":
        return False
    if outcome["result"] == "win":
        return True
    return outcome["result"] == "gate" and int(outcome["gate"]) == gate_number + 1


def search_level(build, level):
    gates = []
    while True:
        first = run(build, level, gates)
        if first["result"] != "gate":
            break
        number = int(first["gate"])
        arrival = int(first["frame"])
        streak = []
        chosen = None
        for i in range(TRIES):
            departure = arrival + i * STEP
            outcome = run(build, level, gates + [departure])
            if good(outcome, number):
                streak.append(departure)
                if len(streak) == WINDOW:
                    chosen = streak[len(streak) // 2]
                    break
            else:
                streak = []
        if chosen is None:
            sys.exit(f"level {level}: no safe departure from gate {number} "
                     f"(settled in frame {arrival})")
        print(f"level {level}: gate {number} settled {arrival}, leaves {chosen}")
        gates.append(chosen)
    os.makedirs(REPLAYS, exist_ok=True)
    final = run(build, level, gates, os.path.join(REPLAYS, f"level{level}.input"))
    with open(os.path.join(ROUTES, f"level{level}.gates"), "w") as f:
        f.write(",".join(str(g) for g in gates) + "\n")
    print(f"level {level}: {final}")
    if final["result"] != "win" or final["rescued"] != "0":
        sys.exit(f"level {level}: the final flight does not win cleanly")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("levels", nargs="+", type=int)
    args = parser.parse_args()
    for level in args.levels:
        search_level(args.build, level)


if __name__ == "__main__":
    main()
