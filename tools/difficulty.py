#!/usr/bin/env python3
"""How hard each level is for a new player: seeded attempts of tools/novice-pilot.py.

    tools/difficulty.py [--vela-run PATH] [--attempts N] [--jobs J] [--gain NAME=VALUE]
                        [--out FILE] [LEVEL ...]

For each level, N attempts (seeds 1 to N), each from a fresh save, two at a time by default.
Prints a Markdown table: the share of attempts won, the median flight time of the won
attempts, and what the others hit (the collider that ended the flight, or "timeout").
With --out, also writes the table with a header that says how it was made.
"""

import argparse
import collections
import concurrent.futures
import json
import os
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
PILOT = os.path.join(HERE, "novice-pilot.py")

HEADER = """# How hard the levels are for a new player

Made by `make difficulty` (`tools/difficulty.py`): for each level, {attempts} seeded attempts of
`tools/novice-pilot.py` through `vela-run --control`, each from a fresh save. The novice follows
the level's route (`tools/autopilot/routes/`) with a person's limits: it acts on what it saw
200 ms before, sees only what is on screen, puts the cursor where it means to give or take a
Gaussian 14 px error drawn afresh ten times a second, knows a hazard's future only by carrying
on its seen motion, and does not know how the fan's push depends on the cursor's distance: it
learns the distance that hovers from the lift it sees, with one set of gains for every level.
At a route's gate it waits until the hazards it sees leave the way clear. It lets go of the
button to fall when it wants less push than the cursor can give from the edge of the picture.
People differ, so each attempt draws when it ends the countdown (after 1 to 4 s) and how fast
it dares to fly (the route's speeds times 0.68 to 0.92). A flight longer than {limit:g} s counts
as a failure ("timeout").

The median flight time is that of the won attempts, from the end of the countdown.

"""


def attempt(vela_run, assets, level, seed, limit, gains=()):
    command = [sys.executable, PILOT, "--vela-run", vela_run, "--seed", str(seed),
               "--time-limit", str(limit), str(level)]
    for gain in gains:
        command[2:2] = ["--gain", gain]
    if assets:
        command[2:2] = ["--assets", assets]
    done = subprocess.run(command, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"difficulty: level {level} seed {seed}: {done.stderr.strip()}")
    return json.loads(done.stdout)


def row(level, outcomes):
    won = [o for o in outcomes if o["result"] == "won"]
    rate = 100.0 * len(won) / len(outcomes)
    median = f"{statistics.median(o['time'] for o in won):.1f} s" if won else "-"
    hits = collections.Counter(o["hit"] for o in outcomes if o["result"] != "won")
    hit_text = ", ".join(f"{name} {count}" for name, count in hits.most_common()) or "-"
    return f"| {level} | {rate:.0f}% ({len(won)}/{len(outcomes)}) | {median} | {hit_text} |"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vela-run", default="build/tools/vela-run/vela-run")
    parser.add_argument("--assets", help="asset folder (vela-run's default when absent)")
    parser.add_argument("--attempts", type=int, default=50)
    parser.add_argument("--jobs", type=int, default=2, help="vela-runs at once")
    parser.add_argument("--time-limit", type=float, default=120.0)
    parser.add_argument("--gain", action="append", default=[], metavar="NAME=VALUE",
                        help="passed to every attempt: another value for one of the pilot's gains")
    parser.add_argument("--out", help="also write the table, with its header, to this file")
    parser.add_argument("levels", nargs="*", type=int, default=list(range(1, 9)))
    args = parser.parse_args()

    lines = ["| level | won | median flight (won) | what the failed flights hit |",
             "|---|---|---|---|"]
    print("\n".join(lines), flush=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for level in args.levels:
            runs = [pool.submit(attempt, args.vela_run, args.assets, level, seed,
                                args.time_limit, args.gain)
                    for seed in range(1, args.attempts + 1)]
            lines.append(row(level, [run.result() for run in runs]))
            print(lines[-1], flush=True)
    if args.out:
        with open(args.out, "w") as out:
            out.write(HEADER.format(attempts=args.attempts, limit=args.time_limit))
            out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
