"""The eight levels: layout and the route the autopilot flies through each.

Coordinates are world units, Y up. The ground's grass top is at y = -390 in every level;
ceilings hang at y = 700 unless a level says otherwise.

A route is a list of steps for tools/autopilot:
    go X Y SPEED      fly towards the point at up to SPEED; done within 40 units
    stop X Y          fly to the point and hover there
    gate              hover where the last stop left the plane until the gate's time (found
                      by the search in tools/autopilot/search.py and kept in the solution file)
    land X Y SPEED    the last leg: fly into the win flag
"""

from levelkit import (auto_cannon, block, cannon, checkpoint, ground, hazard_fan, hwall,
                      level_scene, pendulum, pendulum_under_hole, saw, sign, star, vwall,
                      win_flag)

LAST_LEVEL = 8
CEILING = 700


def frame(x0, x1, ceiling=CEILING):
    """Ground, ceiling and the two end walls of a level spanning x0..x1."""
    pieces = ground(x0 - 800, x1 + 800)  # beyond the end walls too, for the view
    pieces += hwall(x0, x1, ceiling + 25, "Ceiling")
    pieces += vwall(x0 - 25, -390, ceiling + 50, "EndWall")
    pieces += vwall(x1 + 25, -390, ceiling + 50, "EndWall")
    return pieces


class Level:
    def __init__(self, number, name, sky, start, pieces, route):
        self.number = number
        self.name = name
        self.sky = sky
        self.start = start
        self.pieces = pieces
        self.route = route

    def title(self):
        return f"Level {self.number}: {self.name}"

    def roots(self):
        return level_scene(self.number, LAST_LEVEL, self.sky, self.start, self.pieces,
                           name=self.name)

    def route_text(self):
        lines = [f"# {self.title()}: the autopilot's route (written by make_scenes.py)"]
        for step in self.route:
            lines.append(" ".join(str(v) for v in step))
        return "\n".join(lines) + "\n"


def level1():
    """First flight: open sky, no hazards. Signs along the way teach the fan, the stars, the
    checkpoint and the flag; the start is high, with a lot of air above and below, so that a
    first try that does nothing or holds the fan too close still flies for a few seconds."""
    ceiling = 3000
    # The first sign is beside the start, in view during the countdown; the others hang above
    # the route, clear of the fan, which is mostly under the plane.
    pieces = [sign("hold", 20, 700), sign("fall", 900, 1040), sign("stars", 1450, 860),
              sign("checkpoint", 3250, 640), sign("flag", 4200, 330)]
    pieces += frame(-1400, 5100, ceiling)
    pieces += [star(1950, 480), star(2400, 640), star(2850, 380)]
    pieces += [checkpoint(3700, 300)]
    pieces += [win_flag(4750, -330)]
    route = [
        ("go", 500, 880, 260),
        ("go", 1300, 620, 300),
        ("go", 1950, 480, 300),
        ("go", 2400, 640, 300),
        ("go", 2850, 380, 300),
        ("go", 3700, 300, 300),
        ("go", 4350, 0, 300),
        ("land", 4750, -330, 220),
    ]
    return Level(1, "First flight", 1, (-450, 900), pieces, route)


def level2():
    """Walls: weave over and under pillars."""
    pieces = frame(-800, 4800)
    pieces += vwall(400, -390, 410)
    pieces += vwall(1200, -90, CEILING)
    pieces += vwall(2000, -390, 310)
    pieces += vwall(2800, 0, CEILING)
    pieces += hwall(3200, 4000, 100)
    pieces += [star(400, 560), star(1200, -240), star(3600, 300)]
    pieces += [checkpoint(2000, 500)]
    pieces += [win_flag(4400, -330)]
    route = [
        ("go", 100, 500, 300),
        ("go", 400, 560, 300),
        ("go", 800, 300, 300),
        ("go", 1000, -240, 300),
        ("go", 1200, -240, 300),
        ("go", 1500, 0, 300),
        ("go", 1800, 500, 300),
        ("go", 2000, 500, 300),
        ("go", 2400, 0, 300),
        ("go", 2800, -200, 300),
        ("go", 3200, 300, 300),
        ("go", 3600, 300, 300),
        ("go", 4250, 250, 300),
        ("go", 4400, 0, 200),
        ("land", 4400, -330, 200),
    ]
    return Level(2, "Walls", 1, (-450, 100), pieces, route)


def pillar_up(x, top):
    return vwall(x, -390, top)


def pillar_down(x, bottom, ceiling=CEILING):
    return vwall(x, bottom, ceiling)


def level3():
    """Saws patrol the gaps: wait for an opening."""
    pieces = frame(-800, 4800)
    pieces += pillar_up(600, 100)
    pieces += saw("Saw1", (600, 650), (600, 400))
    pieces += pillar_down(1500, 150)
    # The saw dips to the way under the pillar and rises again: the way is open while it is up.
    pieces += saw("Saw2", (1500, -140), (1500, 90))
    pieces += saw("Saw3", (2300, 250), (3100, 250), start=(2700, 250))
    pieces += pillar_up(3500, -190) + pillar_down(3500, 400)
    pieces += saw("Saw4", (3500, 330), (3500, 120))
    pieces += [star(600, 260), star(1500, -220), star(2700, 100)]
    pieces += [checkpoint(2000, 100)]
    pieces += [win_flag(4300, -330)]
    route = [
        ("go", 0, 350, 260),
        ("stop", 400, 260),
        ("gate",),
        ("go", 600, 260, 300),
        ("go", 950, 200, 260),
        ("stop", 1300, -220),
        ("gate",),
        ("go", 1500, -220, 300),
        ("go", 1800, -20, 260),
        ("go", 2000, 100, 260),
        ("stop", 2400, 80),
        ("gate",),
        ("go", 2700, 100, 300),
        ("go", 3000, 60, 260),
        ("stop", 3300, -40),
        ("gate",),
        ("go", 3500, -40, 300),
        ("go", 3900, 80, 260),
        ("go", 4300, -150, 220),
        ("land", 4300, -330, 200),
    ]
    return Level(3, "Saws", 2, (-450, 100), pieces, route)


def level4():
    """Pendulums: drop through holes in two floors while the pendulums swing over them,
    then fly under a saw to the flag."""
    ceiling = 1500
    pieces = frame(-800, 4400, ceiling=ceiling)
    pieces += pendulum_under_hole("Pendulum1", 600, 900, -800, 1600, 65, 90, hole=240,
                                  offset=145)
    pieces += pendulum("Pendulum2", 1250, 875, -45, 45, 60)
    pieces += pendulum_under_hole("Pendulum3", 2000, 300, -800, 2800, 65, 90, start=-40,
                                  hole=240, offset=145)
    pieces += vwall(1600, 925, ceiling)
    pieces += vwall(2800, 325, ceiling)
    pieces += saw("Saw1", (2400, 100), (3500, 100), start=(3000, 100))
    pieces += [star(150, 1150), star(1250, 450), star(2900, -170)]
    pieces += [checkpoint(1000, 650)]
    pieces += [win_flag(3900, -330)]
    route = [
        ("go", 150, 1150, 260),
        ("stop", 670, 1030),
        ("gate",),
        ("go", 670, 750, 260),
        ("go", 1000, 650, 260),
        ("go", 1250, 450, 260),
        ("go", 1750, 550, 260),
        ("stop", 2070, 430),
        ("gate",),
        ("go", 2070, 200, 260),
        ("go", 2150, -100, 260),
        ("stop", 2100, -150),
        ("gate",),
        ("go", 2900, -170, 300),
        ("go", 3600, -100, 280),
        ("go", 3900, -150, 220),
        ("land", 3900, -330, 200),
    ]
    return Level(4, "Pendulums", 2, (-450, 1200), pieces, route)


def level5():
    """Wind: climb a shaft against a fan blowing down, drop through an updraught, slip past
    a saw while a fan blows towards it, and glide down to the flag."""
    ceiling = 1500
    pieces = frame(-800, 3800, ceiling=ceiling)
    pieces += pillar_down(600, 200, ceiling)
    pieces += pillar_up(1100, 1100)
    pieces += [hazard_fan(850, 1420, -90)]
    pieces += pillar_down(1700, 100, ceiling)
    pieces += [hazard_fan(1400, -330, 90)]
    pieces += pillar_up(2300, 550)
    pieces += [hazard_fan(2050, 650, 0)]
    pieces += saw("Saw1", (2900, 1350), (2900, 620), start=(2900, 1100), speed=180)
    pieces += [hazard_fan(2450, 1000, 0)]
    pieces += [star(850, 1150), star(1400, 400), star(2900, 800)]
    pieces += [checkpoint(1850, 950)]
    pieces += [win_flag(3300, -330)]
    route = [
        ("go", 850, -100, 320),
        ("go", 850, 800, 300),
        ("go", 850, 1150, 200),
        ("go", 1050, 1200, 200),
        ("go", 1250, 1300, 220),
        ("go", 1400, 900, 220),
        ("go", 1400, 400, 200),
        ("go", 1530, 0, 200),
        ("go", 1850, -150, 300),
        ("go", 1850, 600, 300),
        ("go", 1850, 950, 280),
        ("go", 2300, 900, 300),
        ("go", 2900, 800, 320),
        ("go", 3250, 250, 320),
        ("land", 3300, -330, 200),
    ]
    return Level(5, "Headwind", 3, (350, -50), pieces, route)


def level6():
    """Fixed cannons fire across the way every second and a half: pass between shots; then
    drop through a hole that a pendulum guards."""
    pieces = frame(-800, 5100)
    pieces += [block(900, -340), cannon(900, -265, 90, every=2.75)]
    pieces += [block(1500, 650), cannon(1500, 575, -90, every=2.75)]
    pieces += pillar_up(2100, 150)
    # A slower pair, whose shots cross: wait for a volley to pass, then go.
    pieces += [block(2700, -340), cannon(2700, -265, 60, every=3.25)]
    pieces += [block(2700, 650), cannon(2700, 575, -60, every=3.25)]
    pieces += pendulum_under_hole("Pendulum1", 3800, 100, 3300, 4400, 65, 55, hole=240,
                                  offset=150)
    pieces += [block(4500, -340), cannon(4500, -265, 90, every=2.5)]
    pieces += [star(1200, 300), star(2100, 450), star(3150, 100)]
    pieces += [checkpoint(2400, 0)]
    pieces += [win_flag(4850, -330)]
    route = [
        ("stop", 780, 200),
        ("gate",),
        ("go", 1200, 300, 300),
        ("stop", 1390, 300),
        ("gate",),
        ("go", 1800, 300, 300),
        ("go", 2100, 450, 260),
        ("go", 2400, 0, 260),
        ("stop", 2760, 0),
        ("gate",),
        ("go", 3150, 100, 300),
        ("go", 3400, 350, 260),
        ("stop", 3870, 230),
        ("gate",),
        ("go", 3870, -50, 260),
        ("stop", 4390, -150),
        ("gate",),
        ("go", 4700, -100, 300),
        ("land", 4850, -330, 200),
    ]
    return Level(6, "Cannon alley", 3, (250, 200), pieces, route)


def level7():
    """Aiming cannons: keep moving, rest behind the walls between volleys."""
    pieces = frame(-800, 5600)
    pieces += [block(900, -340), auto_cannon(900, -265, every=2.5, reach=650)]
    pieces += pillar_up(1500, 300)
    pieces += [block(2100, 650), auto_cannon(2100, 575, every=2.5, reach=650)]
    pieces += saw("Saw1", (2700, -300), (2700, 300))
    pieces += pillar_down(3300, -100)
    pieces += [block(3900, -340), auto_cannon(3900, -265, every=2.5, reach=650), block(4500, 650),
               auto_cannon(4500, 575, every=2.5, reach=650)]
    pieces += [star(1500, 500), star(2700, 450), star(3900, 300)]
    pieces += [checkpoint(3000, -250)]
    pieces += [win_flag(5200, -330)]
    route = [
        ("go", 300, 150, 300),
        ("go", 1200, 450, 320),
        ("go", 1500, 500, 320),
        ("stop", 1700, 250),
        ("gate",),
        ("go", 2400, 300, 320),
        ("go", 2700, 450, 320),
        ("go", 2950, 300, 320),
        ("go", 3000, -250, 320),
        ("stop", 3150, -250),
        ("gate",),
        ("go", 3600, -100, 340),
        ("go", 3900, 300, 340),
        ("go", 4700, 0, 340),
        ("land", 5200, -330, 240),
    ]
    return Level(7, "Watchful guns", 4, (-450, 100), pieces, route)


def level8():
    """Everything at once: a pendulum over a hole, a cannon, an updraught, a saw and an aiming
    cannon."""
    pieces = frame(200, 5200)
    pieces += pendulum_under_hole("Pendulum1", 1400, 200, 1000, 1800, 65, 65, hole=240,
                                  offset=150)
    pieces += [block(2000, -340), cannon(2000, -265, 90)]
    pieces += [hazard_fan(2450, -330, 90)]
    pieces += pillar_down(2900, 100)
    pieces += saw("Saw2", (3300, -300), (3300, 620))
    pieces += [block(3900, 650), auto_cannon(3900, 575, every=1.5)]
    pieces += pillar_up(4300, 200)
    pieces += [star(1000, 500), star(3300, 620), star(4300, 400)]
    pieces += [checkpoint(3650, 300)]
    pieces += [win_flag(4800, -330)]
    route = [
        ("go", 1000, 500, 260),
        ("stop", 1470, 330),
        ("gate",),
        ("go", 1470, 0, 260),
        ("stop", 1650, -100),
        ("gate",),
        ("go", 2450, 150, 300),
        ("go", 2780, -100, 280),
        ("go", 2900, -150, 280),
        ("stop", 3050, 350),
        ("gate",),
        ("go", 3300, 620, 300),
        ("go", 3650, 300, 280),
        ("go", 4300, 400, 300),
        ("go", 4650, 100, 260),
        ("land", 4800, -330, 200),
    ]
    return Level(8, "Everything", 4, (650, 450), pieces, route)


def all_levels():
    return [level1(), level2(), level3(), level4(), level5(), level6(), level7(), level8()]
