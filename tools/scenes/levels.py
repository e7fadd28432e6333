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
                      level_scene, pendulum, plank, saw, star, vwall, win_flag)

LAST_LEVEL = 8
CEILING = 700


def frame(x0, x1, ceiling=CEILING):
    """Ground, ceiling and the two end walls of a level spanning x0..x1."""
    pieces = ground(x0, x1)
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
        return level_scene(self.number, LAST_LEVEL, self.sky, self.start, self.pieces)

    def route_text(self):
        lines = [f"# {self.title()}: the autopilot's route (written by make_scenes.py)"]
        for step in self.route:
            lines.append(" ".join(str(v) for v in step))
        return "\n".join(lines) + "\n"


def level1():
    """First flight: open sky, no hazards. Learn to hold the plane up and push it along."""
    pieces = frame(-800, 4000)
    pieces += [block(1000, -340), block(1000, -240), block(1100, -340)]
    pieces += [star(350, 250), star(1350, 420), star(2400, 50)]
    pieces += [checkpoint(1850, 200)]
    pieces += [win_flag(3400, -330)]
    route = [
        ("go", 350, 250, 260),
        ("go", 1350, 420, 300),
        ("go", 1850, 200, 300),
        ("go", 2400, 50, 300),
        ("land", 3400, -330, 220),
    ]
    return Level(1, "First flight", 1, (-450, 100), pieces, route)


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
        ("go", 100, 500, 250),
        ("go", 400, 560, 250),
        ("go", 800, 300, 250),
        ("go", 1000, -240, 250),
        ("go", 1200, -240, 250),
        ("go", 1500, 0, 250),
        ("go", 1800, 500, 250),
        ("go", 2000, 500, 250),
        ("go", 2400, 0, 250),
        ("go", 2800, -200, 250),
        ("go", 3200, 300, 250),
        ("go", 3600, 300, 250),
        ("go", 4100, 0, 250),
        ("land", 4400, -330, 200),
    ]
    return Level(2, "Walls", 1, (-450, 100), pieces, route)


def level3():
    """Saws patrol the gaps: wait for an opening."""
    pieces = frame(-800, 5200)
    pieces += vwall(600, -390, 210)
    pieces += saw("Saw1", (600, 630), (600, 280))
    pieces += vwall(1600, 0, CEILING)
    pieces += saw("Saw2", (1600, -320), (1600, -70))
    pieces += saw("Saw3", (2300, 350), (3100, 350), start=(2700, 350))
    pieces += vwall(3600, -390, 410)
    pieces += hwall(3600, 4400, 410)
    pieces += saw("Saw4", (4000, 330), (4000, -320))
    pieces += [star(600, 450), star(1600, -200), star(2700, 100)]
    pieces += [checkpoint(2200, 100)]
    pieces += [win_flag(4800, -330)]
    route = [
        ("stop", 300, 450),
        ("gate",),
        ("go", 600, 450, 260),
        ("stop", 1100, -200),
        ("gate",),
        ("go", 1600, -200, 260),
        ("go", 2200, 100, 260),
        ("stop", 2700, 100),
        ("gate",),
        ("go", 3300, 550, 260),
        ("stop", 3700, 550),
        ("stop", 3500, 0),
        ("gate",),
        ("go", 4400, 0, 260),
        ("land", 4800, -330, 200),
    ]
    return Level(3, "Saws", 2, (-450, 100), pieces, route)


def level4():
    """Pendulums swing across low corridors."""
    pieces = frame(-800, 5600)
    pieces += hwall(800, 2400, 325)
    pieces += pendulum("Pendulum1", 1200, 300, -55, 55, 70)
    pieces += pendulum("Pendulum2", 2000, 300, -55, 55, 90, start=40)
    pieces += vwall(2800, -390, 200)
    pieces += pendulum("Pendulum3", 2800, 650, -60, 60, 80)
    pieces += hwall(3200, 4800, 100)
    pieces += pendulum("Pendulum4", 3600, 75, -50, 50, 80)
    pieces += pendulum("Pendulum5", 4400, 75, -50, 50, 100, start=-30)
    pieces += saw("Saw1", (4000, 250), (4000, 600))
    pieces += [star(1600, 50), star(2800, 480), star(4000, -250)]
    pieces += [checkpoint(2400, 0)]
    pieces += [win_flag(5200, -330)]
    route = [
        ("stop", 800, 0),
        ("gate",),
        ("go", 1600, 50, 260),
        ("stop", 1650, 0),
        ("gate",),
        ("go", 2400, 0, 260),
        ("stop", 2500, 450),
        ("gate",),
        ("go", 3100, 450, 260),
        ("stop", 3150, -200),
        ("gate",),
        ("go", 4000, -250, 260),
        ("stop", 4050, -250),
        ("gate",),
        ("go", 4800, -250, 260),
        ("land", 5200, -330, 200),
    ]
    return Level(4, "Pendulums", 2, (-450, 100), pieces, route)


def level5():
    """Wind: fixed fans push the plane around; a climb against a downdraught."""
    pieces = frame(-800, 4800, ceiling=1500)
    pieces += vwall(800, -390, 1010)
    pieces += [hazard_fan(300, 1400, -90)]
    pieces += [hazard_fan(1300, -340, 90)]
    pieces += vwall(1800, 200, 1500)
    pieces += [hazard_fan(2300, 1400, -90)]
    pieces += [hazard_fan(2300, -340, 90)]
    pieces += saw("Saw1", (2900, 900), (2900, 300))
    pieces += [hazard_fan(3400, 500, 180)]
    pieces += [star(300, 600), star(1300, 600), star(2900, 1200)]
    pieces += [checkpoint(1300, 1200)]
    pieces += [win_flag(4300, -330)]
    route = [
        ("go", 300, 600, 220),
        ("go", 300, 1150, 220),
        ("go", 1300, 1200, 240),
        ("go", 1300, 600, 220),
        ("go", 1300, 0, 220),
        ("go", 2300, 0, 240),
        ("go", 2300, 1200, 240),
        ("stop", 2600, 1200),
        ("gate",),
        ("go", 2900, 1200, 240),
        ("go", 3500, 1100, 240),
        ("go", 4000, 200, 240),
        ("land", 4300, -330, 200),
    ]
    return Level(5, "Headwind", 3, (-450, 100), pieces, route)


def level6():
    """Fixed cannons fire across the way: pass between shots."""
    pieces = frame(-800, 5200)
    pieces += [block(-750, 300), block(-750, 400)]
    pieces += [block(1000, -340), cannon(1000, -265, 90)]
    pieces += [block(1800, 650), cannon(1800, 575, -90)]
    pieces += vwall(2400, -390, 210)
    pieces += [block(3000, -340), cannon(3000, -265, 60)]
    pieces += [block(3700, 650), cannon(3700, 575, -120)]
    pieces += pendulum("Pendulum1", 4300, 650, -55, 55, 80)
    pieces += [star(1000, 300), star(2400, 450), star(3300, 0)]
    pieces += [checkpoint(2400, 450)]
    pieces += [win_flag(4800, -330)]
    route = [
        ("stop", 700, 200),
        ("gate",),
        ("go", 1000, 300, 280),
        ("stop", 1500, 150),
        ("gate",),
        ("go", 2100, 200, 280),
        ("go", 2400, 450, 260),
        ("stop", 2700, 300),
        ("gate",),
        ("go", 3300, 0, 280),
        ("stop", 3500, 0),
        ("gate",),
        ("go", 4000, -100, 280),
        ("stop", 4050, -100),
        ("gate",),
        ("go", 4500, -150, 260),
        ("land", 4800, -330, 200),
    ]
    return Level(6, "Cannon alley", 3, (-450, 100), pieces, route)


def level7():
    """Aiming cannons: keep moving, use the walls as cover."""
    pieces = frame(-800, 5600)
    pieces += [block(800, -340), auto_cannon(800, -265)]
    pieces += vwall(1400, -390, 310)
    pieces += hwall(1800, 2600, 300)
    pieces += [block(2200, 650), auto_cannon(2200, 575)]
    pieces += saw("Saw1", (2200, -300), (2200, 200))
    pieces += vwall(3000, 100, CEILING)
    pieces += [block(3600, -340), auto_cannon(3600, -265)]
    pieces += [block(4400, 650), auto_cannon(4400, 575)]
    pieces += vwall(4000, -390, 110)
    pieces += [star(1400, 500), star(2200, -150), star(4000, 400)]
    pieces += [checkpoint(3000, -100)]
    pieces += [win_flag(5200, -330)]
    route = [
        ("go", 500, 300, 320),
        ("go", 1400, 500, 320),
        ("stop", 1800, 100),
        ("gate",),
        ("go", 2200, -150, 300),
        ("go", 3000, -100, 320),
        ("go", 3600, 300, 320),
        ("go", 4000, 400, 320),
        ("go", 4700, 100, 320),
        ("land", 5200, -330, 220),
    ]
    return Level(7, "Watchful guns", 4, (-450, 100), pieces, route)


def level8():
    """Everything at once."""
    pieces = frame(-800, 7200)
    pieces += vwall(600, -390, 210)
    pieces += saw("Saw1", (600, 620), (600, 290))
    pieces += pendulum("Pendulum1", 1400, 650, -60, 60, 90)
    pieces += [block(1400, -340), cannon(1400, -265, 90)]
    pieces += [hazard_fan(2200, -340, 90)]
    pieces += vwall(2700, 0, CEILING)
    pieces += hwall(3200, 4400, 300)
    pieces += pendulum("Pendulum2", 3800, 275, -55, 55, 100)
    pieces += [block(4800, 650), auto_cannon(4800, 575)]
    pieces += saw("Saw2", (5400, -300), (5400, 400))
    pieces += [hazard_fan(6000, 600, -90)]
    pieces += [block(6400, -340), auto_cannon(6400, -265)]
    pieces += [star(1400, 200), star(3800, 0), star(5400, 550)]
    pieces += [checkpoint(4400, 500)]
    pieces += [win_flag(6800, -330)]
    route = [
        ("stop", 300, 450),
        ("gate",),
        ("go", 600, 450, 260),
        ("stop", 1000, 200),
        ("gate",),
        ("go", 1400, 200, 260),
        ("go", 2200, 300, 260),
        ("go", 2700, -200, 260),
        ("stop", 3100, 0),
        ("gate",),
        ("go", 3800, 0, 260),
        ("go", 4400, 500, 260),
        ("stop", 5000, 550),
        ("gate",),
        ("go", 5400, 550, 260),
        ("go", 6200, 200, 280),
        ("land", 6800, -330, 220),
    ]
    return Level(8, "Everything", 4, (-450, 100), pieces, route)


def all_levels():
    return [level1(), level2(), level3(), level4(), level5(), level6(), level7(), level8()]
