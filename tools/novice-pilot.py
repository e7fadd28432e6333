#!/usr/bin/env python3
"""A new player's flight through one level, played through `vela-run --control`.

    tools/novice-pilot.py [--vela-run PATH] [--seed S] [--time-limit SECONDS] LEVEL

It follows the level's route (tools/autopilot/routes/levelN.route) with a person's limits:
- it decides on what it saw at least 200 ms (12 frames) earlier, a decision every 3 frames;
- it sees only the observation: the plane, camera, cursor, level state and the colliders on
  screen; never the scene file;
- where it means to put the cursor lands off by a Gaussian error (sigma 14 px) drawn afresh at
  most ten times a second;
- it knows a hazard's future only by carrying on the motion it saw between two of its delayed
  looks, in a straight line;
- it does not know how the fan's push depends on the cursor's distance: it keeps a guess of
  the distance below the plane that hovers and moves it by what it sees (further when the
  plane climbs faster than it wants, closer when it sinks), with one set of gains for every
  level.
At a `gate` it waits at the route's stop until the hazards it sees, carried on, leave the way
to the next stop clear. It holds the button to end the countdown after 1 to 4 s (drawn for
each attempt), and lets go to fall when it wants less push than the cursor can give from the
edge of the picture.

Each attempt runs with a fresh save (HOME is a new temporary folder), so nothing it wins is
written to the player's records. It prints one JSON line: the result ("won", "lost" or
"timeout"), the flight time in seconds of game time from the end of the countdown, the stars
found, whether the checkpoint rescued it, and what it hit when it lost.
"""

import argparse
import collections
import json
import math
import os
import random
import sys
import tempfile

from velacontrol import ControlRun

FPS = 60
DELAY_FRAMES = 12  # 200 ms between seeing and acting
FRAMES_PER_DECISION = 6  # ten decisions a second
AIM_SIGMA = 14.0  # px
AIM_REDRAW_FRAMES = 6  # the aim error changes at most ten times a second
# Seconds of countdown before it holds the button and so cuts the countdown short: people
# differ, so each attempt draws its own.
LAUNCH_AFTER = (1.0, 4.0)
# Some players fly faster than others: each attempt's caution is the gain's, give or take this
# share. It also brings each attempt to the hazards at its own point of their cycles.
CAUTION_SPREAD = 0.15
SCREEN_HALF = (790, 440)  # where the cursor can go: inside the 1600 x 900 picture
LOOK_APART_FRAMES = 15  # two looks this far apart show how a hazard moves

# The one set of gains, for every level. Distances in screen pixels, speeds in units per
# second; nothing here comes from the fan's or the plane's numbers.
GAINS = {
    "first_guess": 200.0,  # px below the plane that a newcomer expects to hover
    "settle": 2.0,  # 1/s: how fast it tries to correct the plane's speed
    "home": 1.0,  # 1/s: how fast it closes in on a point it wants to stop at
    "most_wanted": 300.0,  # u/s^2: the hardest correction it asks for
    "lift_feel": 0.4,  # px closer per u/s^2 of extra lift it wants
    "tilt_feel": 300.0,  # u/s^2 of sideways push it expects from a 45 degree tilt
    "learn": 0.3,  # px of guess change per second per u/s^2 of lift more than meant
    "caution": 0.8,  # share of the route's speeds it dares to fly
    "margin": 40.0,  # px of room it wants between the plane and a moving hazard
}
PASS_RADIUS = 50.0  # a "go" point counts as passed this close
STOP_RADIUS = 35.0  # a stop is reached this close...
STOP_SPEED = 40.0  # ...and this slow
BRAKING = 250.0  # u/s^2 it plans to brake with before a stop
STOP_APPROACH = 260.0  # u/s: the fastest it flies at a stop
SCENERY = ("Airplane", "InGameStar", "CheckPoint", "WinFlag")
GATE_HORIZON = 3.0  # s of the way ahead that it checks at a gate
LET_GO_MARGIN = 40.0  # px: it holds again only once its aim is this much nearer than the edge


def load_route(level):
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "autopilot", "routes", f"level{level}.route")
    legs = []
    with open(path) as route:
        for line in route:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            kind, numbers = words[0], [float(w) for w in words[1:]]
            if kind not in ("go", "stop", "gate", "land"):
                sys.exit(f"novice-pilot: {path}: unknown leg '{line.strip()}'")
            legs.append((kind, numbers))
    return legs


class Game(ControlRun):
    """One vela-run --control process with its own empty home folder."""

    def __init__(self, vela_run, scene, assets, home):
        super().__init__(vela_run, scene, "novice-pilot", assets=assets, home=home)

    def step(self, frames, cursor=None):
        """Moves the cursor first when given one, in the same write as the step."""
        lines = ([f"move {cursor[0]} {cursor[1]}"] if cursor else []) + [f"step {frames}"]
        self.send(lines)
        for line in lines:
            answer = self.answer(line)
        return json.loads(answer)


def length(x, y):
    return math.hypot(x, y)


def toward(fx, fy, tx, ty, speed):
    dx, dy = tx - fx, ty - fy
    d = length(dx, dy)
    if d < 1e-6:
        return 0.0, 0.0
    return dx / d * speed, dy / d * speed


def closing_speed(distance, caution):
    """How fast it flies at a point it wants to stop at: slower the nearer."""
    return min(STOP_APPROACH * caution, math.sqrt(2 * BRAKING * distance),
               GAINS["home"] * distance)


def hazards_seen(older, newer):
    """The colliders that moved between two looks: position, velocity and reach."""
    def keyed(observation):
        seen, counts = {}, collections.Counter()
        for c in observation["colliders"]:
            if c["name"] in SCENERY or c["path"].startswith("HUD"):
                continue
            counts[c["path"]] += 1
            seen[(c["path"], counts[c["path"]])] = c
        return seen

    before, now = keyed(older), keyed(newer)
    span = (newer["frame"] - older["frame"]) / FPS
    moving = []
    for key, c in now.items():
        if key not in before or span <= 0:
            continue
        (x0, y0), (x1, y1) = before[key]["position"], c["position"]
        vx, vy = (x1 - x0) / span, (y1 - y0) / span
        if length(vx, vy) < 5.0:
            continue
        reach = c["radius"] if c["shape"] == "circle" else 0.5 * length(c["w"], c["h"])
        moving.append((c["name"], x1, y1, vx, vy, reach))
    return moving


class Novice:
    def __init__(self, route, rng, trace=None):
        self.trace = trace
        self.route = route
        self.leg = 0
        self.rng = rng
        self.hover = GAINS["first_guess"]
        self.aim_error = (0.0, 0.0)
        self.aim_drawn = -AIM_REDRAW_FRAMES
        self.hold = None  # where the last stop left the plane
        self.meant = {}  # decision frame -> the vertical acceleration it meant to get
        self.came_from = None  # the last route point passed
        self.rescued = False
        self.holding = True  # the button, once the countdown is cut short
        self.launch_after = rng.uniform(*LAUNCH_AFTER)
        self.caution = GAINS["caution"] * rng.uniform(1 - CAUTION_SPREAD, 1 + CAUTION_SPREAD)

    def wanted_velocity(self, x, y, vx, vy, seen, older, radius):
        speed_factor = self.caution
        while True:
            kind, n = self.route[self.leg]
            last = self.leg + 1 >= len(self.route)
            if kind == "go":
                if (length(n[0] - x, n[1] - y) < PASS_RADIUS or self.gone_past(n, x, y)) \
                        and not last:
                    self.came_from = (n[0], n[1])
                    self.leg += 1
                    continue
                speed = n[2] * speed_factor
                return toward(x, y, n[0], n[1], min(speed, self.cornering(n, x, y, speed)))
            if kind == "land":
                return toward(x, y, n[0], n[1], n[2] * speed_factor)
            if kind == "stop":
                d = length(n[0] - x, n[1] - y)
                if d < STOP_RADIUS and length(vx, vy) < STOP_SPEED and not last:
                    self.hold = (n[0], n[1])
                    self.came_from = (n[0], n[1])
                    self.leg += 1
                    continue
                return toward(x, y, n[0], n[1], closing_speed(d, self.caution))
            # A gate: hold at the stop until the way looks clear.
            hx, hy = self.hold if self.hold else (x, y)
            if not last and older is not None and self.way_clear(x, y, seen, older, radius):
                if self.trace:
                    seen_now = hazards_seen(older, seen)
                    self.trace.write(f"{seen['frame']} gate open; hazards seen: "
                                     + "; ".join(f"{h[0]} at {h[1]:.0f},{h[2]:.0f} moving "
                                                 f"{h[3]:.0f},{h[4]:.0f}" for h in seen_now)
                                     + "\n")
                self.leg += 1
                self.hold = None
                continue
            d = length(hx - x, hy - y)
            return toward(x, y, hx, hy, closing_speed(d, self.caution))

    def cornering(self, point, x, y, speed):
        """Slower into a sharp turn of the route, as far as the turn is sharp."""
        after = self.route[self.leg + 1] if self.leg + 1 < len(self.route) else None
        if after is None or after[0] == "gate":
            return closing_speed(length(point[0] - x, point[1] - y), self.caution)
        ix, iy = point[0] - x, point[1] - y
        ox, oy = after[1][0] - point[0], after[1][1] - point[1]
        if length(ix, iy) < 1e-6 or length(ox, oy) < 1e-6:
            return speed
        turn = (ix * ox + iy * oy) / (length(ix, iy) * length(ox, oy))
        return max(closing_speed(length(ix, iy), self.caution), speed * max(turn, 0.0))

    def gone_past(self, point, x, y):
        """Beyond the point, seen along the way from the last one: no turning back for it."""
        if self.came_from is None:
            return False
        ax, ay = point[0] - self.came_from[0], point[1] - self.came_from[1]
        return ax * (point[0] - x) + ay * (point[1] - y) < 0

    def way_ahead(self, x, y):
        """Points along the route from here to its next stop, a tenth of a second apart."""
        points, t = [], 0.0
        px, py = x, y
        for kind, n in self.route[self.leg + 1:]:
            if kind == "gate":
                break
            speed = (n[2] if kind in ("go", "land") else 200.0) * self.caution
            d = length(n[0] - px, n[1] - py)
            steps = max(1, int(d / speed / 0.1))
            for i in range(1, steps + 1):
                t += d / speed / steps
                points.append((t, px + (n[0] - px) * i / steps, py + (n[1] - py) * i / steps))
            px, py = n[0], n[1]
            if kind in ("stop", "land") or t > GATE_HORIZON:
                break
        return points

    def way_clear(self, x, y, seen, older, radius):
        hazards = hazards_seen(older, seen)
        if not hazards:
            return True
        late = DELAY_FRAMES / FPS  # what it sees is already this old
        points = [(0.0, x, y)] + self.way_ahead(x, y)
        for _, hx, hy, hvx, hvy, reach in hazards:
            for t, px, py in points:
                if t > GATE_HORIZON:
                    break
                ahead = t + late
                gap = length(hx + hvx * ahead - px, hy + hvy * ahead - py)
                if gap < reach + radius + GAINS["margin"]:
                    return False
        return True

    def back_at_checkpoint(self, x, y):
        """After a rescue: on along the route from its point nearest the checkpoint."""
        nearest = min((i for i, (kind, _) in enumerate(self.route) if kind in ("go", "stop")),
                      key=lambda i: length(self.route[i][1][0] - x, self.route[i][1][1] - y))
        self.leg = min(nearest + 1, len(self.route) - 1)
        self.came_from = tuple(self.route[nearest][1][:2])
        self.hold = self.came_from
        self.rescued = True

    def decide(self, now, seen, before, older):
        """The cursor (screen) for what it saw in `seen`; `before` a look a little earlier."""
        plane = seen["plane"]
        x, y = plane["position"]
        if seen["level"]["checkpointUsed"] and not self.rescued:
            self.back_at_checkpoint(x, y)
        vx, vy = plane["velocity"]
        radius = next((c["radius"] for c in seen["colliders"] if c["name"] == plane["name"]),
                      20.0)
        wx, wy = self.wanted_velocity(x, y, vx, vy, seen, older, radius)
        # Further when the plane lifts more than it meant, closer when less: its only idea of
        # how the fan's strength goes with distance.
        if before is not None:
            span = (seen["frame"] - before["frame"]) / FPS
            lift = (vy - before["plane"]["velocity"][1]) / span
            meant = self.meant.get(before["frame"])
            if meant is not None and self.holding:
                self.hover += GAINS["learn"] * (lift - meant) * span
        ax, ay = GAINS["settle"] * (wx - vx), GAINS["settle"] * (wy - vy)
        most = GAINS["most_wanted"]
        if length(ax, ay) > most:
            ax, ay = ax * most / length(ax, ay), ay * most / length(ax, ay)
        self.meant[now] = ay
        self.hover = min(max(self.hover, 10.0), SCREEN_HALF[1])
        # The cursor sits below the plane, as far as its guess says, closer for more lift,
        # and swung to the side opposite where it wants to go.
        reach = max(self.hover - GAINS["lift_feel"] * ay, 10.0)
        # Wanting less push than the cursor can give from the edge of the picture, it lets go
        # to fall, and holds again once it wants lift.
        if self.holding and reach > SCREEN_HALF[1]:
            self.holding = False
        elif not self.holding and reach < SCREEN_HALF[1] - LET_GO_MARGIN:
            self.holding = True
        tilt = max(-1.0, min(1.0, math.atan(ax / GAINS["tilt_feel"])))
        below = reach * math.cos(tilt)
        aside = reach * math.sin(tilt)
        if now - self.aim_drawn >= AIM_REDRAW_FRAMES:
            self.aim_error = (self.rng.gauss(0, AIM_SIGMA), self.rng.gauss(0, AIM_SIGMA))
            self.aim_drawn = now
        if self.trace:
            self.trace.write(f"{now} leg={self.leg} pos={x:.0f},{y:.0f} vel={vx:.0f},{vy:.0f} "
                             f"want={wx:.0f},{wy:.0f} hover={self.hover:.0f}\n")
        sx, sy = plane["screen"]
        cx = sx - aside + self.aim_error[0]
        cy = sy - below + self.aim_error[1]
        cx = min(max(cx, -SCREEN_HALF[0]), SCREEN_HALF[0])
        cy = min(max(cy, -SCREEN_HALF[1]), SCREEN_HALF[1])
        return round(cx), round(cy)


def fly(vela_run, level, seed, time_limit, assets=None, trace=None):
    rng = random.Random(seed)
    novice = Novice(load_route(level), rng, trace)
    with tempfile.TemporaryDirectory(prefix="novice-home-") as home:
        game = Game(vela_run, f"scenes/level{level}", assets, home)
        try:
            return flight(game, novice, time_limit)
        finally:
            game.close()


def flight(game, novice, time_limit):
    looks = collections.deque(maxlen=4 * (DELAY_FRAMES + LOOK_APART_FRAMES))
    seen = game.step(1)
    looks.append(seen)
    start_frame = None
    holding = False
    result = None
    while result is None:
        now = seen["frame"]
        level = seen["level"]
        if level["ended"]:
            result = "won" if level["won"] else "lost"
            break
        if start_frame is None and level["countdownLeft"] <= 0:
            start_frame = now
        if start_frame is not None and now - start_frame >= time_limit * FPS:
            result = "timeout"
            break
        # It acts on the newest look old enough, and judges motion against earlier ones.
        acted_on = look_at(looks, now - DELAY_FRAMES)
        cursor = None
        if acted_on is not None:
            left = acted_on["level"]["countdownLeft"]
            if left > 0:
                if not holding and 6.0 - left > novice.launch_after:
                    game.ask("move {} {}".format(*novice.decide(now, acted_on, None, None)))
                    game.ask("down mouse_left")
                    holding = True
            else:
                before = look_at(looks, acted_on["frame"] - FRAMES_PER_DECISION)
                older = look_at(looks, acted_on["frame"] - LOOK_APART_FRAMES)
                cursor = novice.decide(now, acted_on, before, older)
                if novice.holding != holding:
                    game.ask(("down" if novice.holding else "up") + " mouse_left")
                    holding = novice.holding
        seen = game.step(FRAMES_PER_DECISION, cursor)
        looks.append(seen)
    level = seen["level"]
    flown = (seen["frame"] - start_frame) / FPS if start_frame is not None else 0.0
    hit = None
    if result == "lost":
        hit = level.get("lastContact") or nearest_collider(seen)
    elif result == "timeout":
        hit = "timeout"
    return {"result": result, "time": round(flown, 2), "stars": level["starsFound"],
            "rescued": level["checkpointUsed"], "hit": hit}


def look_at(looks, frame):
    """The latest look taken no later than `frame`."""
    found = None
    for look in looks:
        if look["frame"] > frame:
            break
        found = look
    return found


def nearest_collider(seen):
    """For runners without "lastContact": the on-screen collider nearest the plane."""
    x, y = seen["plane"]["position"]
    best, name = float("inf"), None
    for c in seen["colliders"]:
        if c["name"] == seen["plane"]["name"] or c["path"].startswith("HUD"):
            continue
        cx, cy = c["position"]
        if c["shape"] == "circle":
            gap = length(cx - x, cy - y) - c["radius"]
        else:
            gap = length(max(abs(cx - x) - c["w"] / 2, 0), max(abs(cy - y) - c["h"] / 2, 0))
        if gap < best:
            best, name = gap, c["name"]
    return name


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vela-run", default="build/tools/vela-run/vela-run")
    parser.add_argument("--assets", help="asset folder (vela-run's default when absent)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--time-limit", type=float, default=120.0,
                        help="seconds of flight before the attempt counts as failed")
    parser.add_argument("level", type=int)
    parser.add_argument("--trace", help="write each decision's view and wish to this file")
    parser.add_argument("--gain", action="append", default=[], metavar="NAME=VALUE",
                        help="another value for one of the gains, to see how much it matters")
    args = parser.parse_args()
    for setting in args.gain:
        name, _, value = setting.partition("=")
        if name not in GAINS:
            sys.exit(f"novice-pilot: no gain '{name}' (gains: {', '.join(GAINS)})")
        GAINS[name] = float(value)
    trace = open(args.trace, "w") if args.trace else None
    outcome = fly(args.vela_run, args.level, args.seed, args.time_limit, args.assets, trace)
    print(json.dumps(dict({"level": args.level, "seed": args.seed}, **outcome)))


if __name__ == "__main__":
    main()
