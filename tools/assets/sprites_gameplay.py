"""Gameplay sprites: the plane skins, fans, pick-ups, feedback pictures, hazards and blocks."""

import math
import random

from PIL import Image, ImageDraw

from spritekit import *  # noqa: F401,F403  (palette, folders and the drawing kit)


# ------------------------------------------------------------------------------------------
# Planes
# ------------------------------------------------------------------------------------------

# Side view of a paper plane, nose to the right, upper side up, in a 96 x 48 box: the near
# wing, a sliver of the far wing above it and the folded keel below.
PLANE_NOSE = (93, 28)
PLANE_WING_BACK = (4, 9)
PLANE_WING_ROOT = (32, 30)
PLANE_FAR_TIP = (16, 2)
PLANE_KEEL_BACK = (14, 31)
PLANE_KEEL_LOW = (36, 45)

PLANE_SKINS = {
    1: dict(name="Paper", wing=(250, 248, 240), far=(214, 226, 240), keel=(190, 206, 226),
            pattern="folds", accent=SKY_DEEP),
    2: dict(name="Racer", wing=(222, 66, 58), far=(180, 44, 44), keel=(140, 30, 36),
            pattern="stripes", accent=(255, 236, 214)),
    3: dict(name="Night", wing=(44, 56, 122), far=(32, 40, 92), keel=(22, 28, 66),
            pattern="dots", accent=(255, 224, 90)),
    4: dict(name="Hornet", wing=(255, 204, 44), far=(232, 168, 30), keel=(200, 134, 20),
            pattern="bands", accent=(28, 28, 34)),
}


def along(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


def plane_pattern(c, skin, mask):
    """Paint the skin's pattern inside mask (a wing or keel facet)."""
    lay = c.layer()
    d = ImageDraw.Draw(lay)
    acc = rgba(skin["accent"])
    if skin["pattern"] == "folds":
        a = along(PLANE_WING_BACK, PLANE_WING_ROOT, 0.5)
        d.line(c.pts([a, PLANE_NOSE]), fill=rgba(skin["accent"], 170), width=int(1.0 * c.ss))
    elif skin["pattern"] == "stripes":
        for t in (0.28, 0.58):
            a = along(PLANE_WING_BACK, PLANE_WING_ROOT, t)
            d.line(c.pts([a, along(a, PLANE_NOSE, 0.8)]), fill=acc, width=int(2.6 * c.ss))
    elif skin["pattern"] == "dots":
        rnd = random.Random(3)
        for _ in range(30):
            x, y = rnd.uniform(6, 88), rnd.uniform(4, 44)
            r = rnd.choice((0.8, 1.1, 1.4))
            d.ellipse(((x - r) * c.ss, (y - r) * c.ss, (x + r) * c.ss, (y + r) * c.ss), fill=acc)
        for x, y, r in ((30, 18, 4.0), (58, 25, 3.2), (44, 35, 3.0)):
            d.polygon(c.pts(star_points(x, y, r, r * 0.42)), fill=acc)
    elif skin["pattern"] == "bands":
        for x0 in range(4, 110, 15):
            band = [(x0, 0), (x0 + 6, 0), (x0 - 6, 48), (x0 - 12, 48)]
            d.polygon(c.pts(band), fill=acc)
    c.paste_clipped(lay, mask)


def draw_plane(skin, zoom=1):
    c = Canvas(96, 48, ss=SS * zoom)
    far_wing = [PLANE_NOSE, PLANE_FAR_TIP, PLANE_WING_BACK]
    wing = [PLANE_NOSE, PLANE_WING_BACK, PLANE_WING_ROOT]
    keel = [PLANE_NOSE, PLANE_WING_ROOT, PLANE_KEEL_BACK, PLANE_KEEL_LOW]
    c.polygon(far_wing, rgba(skin["far"]))
    c.polygon(keel, rgba(skin["keel"]))
    c.polygon(wing, rgba(skin["wing"]))
    plane_pattern(c, skin, c.polygon_mask(wing))
    if skin["pattern"] in ("bands", "dots"):
        plane_pattern(c, skin, c.polygon_mask(keel))
    # Outlines last so the facets share clean edges.
    c.polygon(far_wing, None, rgba(INK), 1.4)
    c.polygon(keel, None, rgba(INK), OUTLINE)
    c.polygon(wing, None, rgba(INK), OUTLINE)
    c.shadow(offset=(0, 2), blur=1.2, alpha=70)
    return c.final(zoom)


def make_planes(reg):
    for n, skin in PLANE_SKINS.items():
        reg.add(f"{ENTITIES}ball{n}", draw_plane(skin),
                f"Plane skin {n} \"{skin['name']}\": paper plane from the side, nose right, "
                f"{skin['pattern']} pattern")


# ------------------------------------------------------------------------------------------
# Fans, wind, cursor
# ------------------------------------------------------------------------------------------

def fan_body(c, blade_len, blur, flow):
    """Cursor fan facing right, symmetric top and bottom (it turns towards the plane); flow
    shifts the airflow lines so that the blowing frames stream."""
    cy = 40
    for dy, length in ((-14, 14), (0, 18), (14, 14)):
        x0 = 56 + flow
        c.line([(x0, cy + dy), (x0 + length, cy + dy)], rgba(WHITE, 200), 3)
        c.line([(x0, cy + dy), (x0 + length, cy + dy)], rgba(SKY_DEEP, 160), 1.2)
    # motor housing
    c.polygon([(12, cy - 11), (30, cy - 15), (30, cy + 15), (12, cy + 11)], rgba(TEAL),
              rgba(INK), OUTLINE)
    c.rect(8, cy - 8, 14, cy + 8, rgba(TEAL_DEEP), rgba(INK), 1.5, radius=2)
    c.line([(16, cy - 6), (26, cy - 8)], rgba(WHITE, 150), 2)
    # blade disc, edge on
    c.ellipse(44, cy, 7, 33, rgba(WHITE, 90 if blur else 50), rgba(INK, 120), 1.2)
    if blade_len > 0:
        c.polygon([(41, cy), (47, cy - blade_len), (49, cy - blade_len + 3), (45, cy)],
                  rgba(PAPER), rgba(INK), 1.4)
        c.polygon([(41, cy), (47, cy + blade_len), (49, cy + blade_len - 3), (45, cy)],
                  rgba(PAPER), rgba(INK), 1.4)
    # hub and nose cone
    c.polygon([(30, cy - 8), (44, cy - 6), (50, cy), (44, cy + 6), (30, cy + 8)], rgba(SUN),
              rgba(INK), OUTLINE)


def draw_fan(blade_len, blur, flow=0):
    c = Canvas(80, 80)
    fan_body(c, blade_len, blur, flow)
    c.shadow(offset=(0, 2), blur=1.5, alpha=60)
    return c.final()


def draw_cursor():
    c = Canvas(80, 80)
    cx = cy = 40
    c.circle(cx, cy, 15, None, rgba(WHITE), 5)
    c.circle(cx, cy, 15, None, rgba(INK), 2)
    for a in range(0, 360, 90):
        ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
        p0, p1 = (cx + ca * 20, cy + sa * 20), (cx + ca * 30, cy + sa * 30)
        c.line([p0, p1], rgba(WHITE), 5)
        c.line([p0, p1], rgba(INK), 2)
    c.circle(cx, cy, 3.5, rgba(CORAL), rgba(INK), 1.2)
    return c.final()


def draw_menu_cursor():
    """Arrow pointer whose tip is the picture's centre, where the entity stands."""
    c = Canvas(64, 64)
    tip = (32, 32)
    arrow = [tip, (32, 56), (38, 50), (43, 61), (48, 59), (43, 48), (51, 48)]
    c.polygon(arrow, rgba(PAPER), rgba(INK), 2.2)
    c.shadow(offset=(1.5, 2), blur=1.2, alpha=80)
    return c.final()


def draw_wind():
    """Particle: a small white gust puff (shown as a 20 or 15 unit square)."""
    c = Canvas(20, 20)
    c.ellipse(10, 10, 8.5, 5.5, rgba(WHITE, 235), rgba(SKY_DEEP, 200), 1.2)
    c.line([(4, 9), (15, 8)], rgba(SKY, 220), 1.2)
    return c.final()


def make_fans(reg):
    reg.add(f"{ENTITIES}fan", draw_fan(30, False),
            "Cursor fan at rest, blowing to the right (+x); turned towards the plane")
    for i, (length, flow) in enumerate(((22, 2), (10, 4), (30, 6)), start=1):
        reg.add(f"{ENTITIES}fan_spin{i}", draw_fan(length, True, flow),
                f"Cursor fan blowing, frame {i} of 3 (sprite swaps, same size as fan)")
    reg.add("sprites/centercursor", draw_cursor(),
            "Crosshair shown in place of the fan while paused; centre is the click point")
    reg.add(f"{UI}menucursor", draw_menu_cursor(),
            "Arrow pointer for menus; its tip is the picture's centre")
    reg.add(f"{ENTITIES}wind", draw_wind(), "Wind particle: a white gust puff")


# ------------------------------------------------------------------------------------------
# Pick-ups and feedback
# ------------------------------------------------------------------------------------------

def draw_star(size, glow=True):
    c = Canvas(size, size)
    m = size / 64.0
    pts = star_points(size / 2, size / 2 + 2 * m, 27 * m, 12 * m)
    c.polygon(pts, rgba(GOLD), rgba(INK), OUTLINE * max(1.0, m))
    inner = star_points(size / 2 - 2 * m, size / 2, 15 * m, 6.5 * m)
    c.polygon(inner, rgba((255, 240, 150), 230))
    c.circle(size / 2 - 7 * m, size / 2 - 4 * m, 2.5 * m, rgba(WHITE))
    if glow:
        c.glow(SUN, 3 * m, 200)
    return c.final()


def draw_star_feedback():
    c = Canvas(100, 100)
    rnd = random.Random(11)
    for i in range(12):
        a = math.radians(i * 30 + 15)
        r0, r1 = 24, 44 if i % 2 == 0 else 36
        c.line([(50 + math.cos(a) * r0, 50 + math.sin(a) * r0),
                (50 + math.cos(a) * r1, 50 + math.sin(a) * r1)], rgba(GOLD), 3.5)
    for _ in range(6):
        a = rnd.uniform(0, 2 * math.pi)
        r = rnd.uniform(30, 40)
        x, y = 50 + math.cos(a) * r, 50 + math.sin(a) * r
        c.polygon(star_points(x, y, 5, 2), rgba(WHITE), rgba(GOLD_DEEP), 1)
    c.polygon(star_points(50, 52, 20, 9), rgba(GOLD), rgba(INK), OUTLINE)
    c.text(50, 53, "+1", 15, rgba(INK))
    c.glow(SUN, 3, 160)
    return c.final()


def draw_checkpoint():
    c = Canvas(64, 96)
    c.rect(10, 10, 15, 92, rgba(IRON_LIGHT), rgba(INK), 1.5, radius=2)
    flag = [(15, 12), (58, 20), (52, 30), (58, 40), (15, 44)]
    c.polygon(flag, rgba(MINT), rgba(INK), OUTLINE)
    c.line([(24, 28), (30, 35), (44, 21)], rgba(WHITE), 4.5)
    c.circle(12.5, 9, 5, rgba(GOLD), rgba(INK), 1.5)
    c.ellipse(13, 91, 11, 3.5, rgba(SLATE), rgba(INK), 1.5)
    c.shadow(offset=(0, 2), blur=1.5, alpha=60)
    return c.final()


def draw_checkpoint_feedback():
    c = Canvas(100, 100)
    for i in range(8):
        a = math.radians(i * 45)
        c.line([(50 + math.cos(a) * 34, 50 + math.sin(a) * 34),
                (50 + math.cos(a) * 46, 50 + math.sin(a) * 46)], rgba(MINT), 4)
    c.circle(50, 50, 27, rgba(WHITE, 235), rgba(MINT_DEEP), 4)
    c.line([(37, 51), (46, 60), (63, 40)], rgba(MINT_DEEP), 7)
    c.glow(MINT, 3, 150)
    return c.final()


def draw_collided():
    c = Canvas(160, 160)
    rnd = random.Random(7)
    outer = []
    for i in range(14):
        a = math.radians(i * 360 / 14 + rnd.uniform(-6, 6))
        r = rnd.uniform(62, 76) if i % 2 == 0 else rnd.uniform(34, 44)
        outer.append((80 + math.cos(a) * r, 80 + math.sin(a) * r))
    c.polygon(outer, rgba(CORAL), rgba(INK), 2.5)
    inner = []
    for i in range(14):
        a = math.radians(i * 360 / 14 + 12 + rnd.uniform(-5, 5))
        r = rnd.uniform(40, 48) if i % 2 == 0 else rnd.uniform(22, 28)
        inner.append((80 + math.cos(a) * r, 80 + math.sin(a) * r))
    c.polygon(inner, rgba(SUN))
    c.circle(80, 80, 16, rgba((255, 246, 200)))
    for _ in range(7):
        a = rnd.uniform(0, 2 * math.pi)
        r = rnd.uniform(60, 72)
        c.circle(80 + math.cos(a) * r, 80 + math.sin(a) * r, rnd.uniform(4, 7),
                 rgba(SLATE_LIGHT), rgba(INK), 1.5)
    return c.final()


def draw_win_flag():
    c = Canvas(80, 120)
    c.rect(10, 12, 16, 116, rgba(IRON_LIGHT), rgba(INK), 1.5, radius=2)
    x0, y0, cols, rows, cell = 16, 16, 6, 4, 9.5
    wave = lambda x: 3.0 * math.sin((x - x0) / 18.0 * math.pi)
    for r in range(rows):
        for q in range(cols):
            xa, xb = x0 + q * cell, x0 + (q + 1) * cell
            ya, yb = y0 + r * cell, y0 + (r + 1) * cell
            col = INK if (r + q) % 2 == 0 else WHITE
            c.polygon([(xa, ya + wave(xa)), (xb, ya + wave(xb)), (xb, yb + wave(xb)),
                       (xa, yb + wave(xa))], rgba(col))
    xe = x0 + cols * cell
    edge = [(x0, y0), (xe, y0 + wave(xe)), (xe, y0 + rows * cell + wave(xe)),
            (x0, y0 + rows * cell)]
    c.polygon(edge, None, rgba(INK), OUTLINE)
    c.circle(13, 10, 6, rgba(GOLD), rgba(INK), 1.5)
    c.ellipse(13, 115, 12, 3.5, rgba(SLATE), rgba(INK), 1.5)
    c.glow(SUN, 3, 120)
    return c.final()


def make_pickups(reg):
    reg.add(f"{ENTITIES}star", draw_star(64), "Collectable star (gold, glowing)")
    reg.add(f"{ENTITIES}starfeedback", draw_star_feedback(), "Burst shown where a star was picked")
    reg.add(f"{ENTITIES}checkpoint", draw_checkpoint(),
            "Checkpoint flag (green with a tick); pole foot at the bottom")
    reg.add(f"{ENTITIES}cpfeedback", draw_checkpoint_feedback(),
            "Green tick ring shown when the checkpoint is touched")
    reg.add(f"{ENTITIES}collided", draw_collided(),
            "Crash burst (shown 100 to 200 units wide, turned at random)")
    reg.add(f"{ENTITIES}winflag", draw_win_flag(), "Chequered win flag on a pole")


# ------------------------------------------------------------------------------------------
# Hazards
# ------------------------------------------------------------------------------------------

def hazard_stripes(c, mask, width=8, angle_off=None):
    lay = c.layer()
    d = ImageDraw.Draw(lay)
    w, h = c.w, c.h
    d.rectangle((0, 0, w * c.ss, h * c.ss), fill=rgba(HAZARD_YELLOW))
    for x0 in range(-h, w + h, width * 2):
        d.polygon(c.pts([(x0, 0), (x0 + width, 0), (x0 + width - h, h), (x0 - h, h)]),
                  fill=rgba(IRON))
    c.paste_clipped(lay, mask)


def draw_saw():
    c = Canvas(100, 100)
    teeth = []
    n = 18
    for i in range(n):
        a0 = math.radians(i * 360 / n)
        a1 = math.radians((i + 0.55) * 360 / n)
        teeth.append((50 + math.cos(a0) * 36, 50 + math.sin(a0) * 36))
        teeth.append((50 + math.cos(a1) * 48, 50 + math.sin(a1) * 48))
    c.polygon(teeth, rgba(IRON_LIGHT), rgba(INK), OUTLINE)
    c.circle(50, 50, 34, rgba((150, 156, 170)), rgba(INK), 1.5)
    for i in range(6):
        a = math.radians(i * 60)
        c.line([(50 + math.cos(a) * 14, 50 + math.sin(a) * 14),
                (50 + math.cos(a + 0.5) * 30, 50 + math.sin(a + 0.5) * 30)], rgba(IRON), 2.5)
    c.circle(50, 50, 13, rgba(HAZARD), rgba(INK), OUTLINE)
    c.circle(50, 50, 4, rgba(IRON), None)
    return c.final()


def spike_ball(c, cx, cy, r):
    spikes = []
    n = 12
    for i in range(n):
        a0 = math.radians(i * 360 / n)
        a1 = math.radians((i + 0.5) * 360 / n)
        spikes.append((cx + math.cos(a0) * r * 0.72, cy + math.sin(a0) * r * 0.72))
        spikes.append((cx + math.cos(a1) * r, cy + math.sin(a1) * r))
    c.polygon(spikes, rgba(IRON_LIGHT), rgba(INK), OUTLINE)
    c.circle(cx, cy, r * 0.66, rgba(IRON), rgba(INK), OUTLINE)
    c.circle(cx, cy, r * 0.28, rgba(HAZARD), rgba(INK), 1.5)
    c.circle(cx - r * 0.28, cy - r * 0.3, r * 0.12, rgba(IRON_LIGHT))


def draw_spike_ball():
    c = Canvas(80, 80)
    spike_ball(c, 40, 40, 38)
    return c.final()


def draw_pendulum():
    """Pivot at the picture's centre, so the entity's rotation swings the ball."""
    c = Canvas(100, 420)
    pivot = (50, 210)
    ball = (50, 372)
    c.rect(45, 206, 55, 340, rgba(SLATE), rgba(INK), 1.5, radius=3)
    c.line([(50, 214), (50, 336)], rgba(SLATE_LIGHT), 2)
    spike_ball(c, ball[0], ball[1], 44)
    c.circle(pivot[0], pivot[1], 11, rgba(HAZARD_YELLOW), rgba(INK), OUTLINE)
    c.circle(pivot[0], pivot[1], 4, rgba(IRON), None)
    return c.final()


def ring_mask(c, cx, cy, r_outer, r_inner):
    ring = Image.new("L", c.img.size, 0)
    d = ImageDraw.Draw(ring)
    d.ellipse(((cx - r_outer) * c.ss, (cy - r_outer) * c.ss, (cx + r_outer) * c.ss,
               (cy + r_outer) * c.ss), fill=255)
    d.ellipse(((cx - r_inner) * c.ss, (cy - r_inner) * c.ss, (cx + r_inner) * c.ss,
               (cy + r_inner) * c.ss), fill=0)
    return ring


def cannon_body(c, auto):
    cx = cy = 60
    # barrel to the right
    if auto:
        for dy in (-9, 9):
            c.rect(58, cy + dy - 6, 110, cy + dy + 6, rgba(IRON), rgba(INK), OUTLINE, radius=3)
            c.line([(86, cy + dy - 2), (104, cy + dy - 2)], rgba(IRON_LIGHT), 2)
            c.rect(104, cy + dy - 8, 116, cy + dy + 8, rgba(HAZARD_YELLOW), rgba(INK), 1.5,
                   radius=2)
    else:
        c.rect(56, cy - 13, 110, cy + 13, rgba(IRON), rgba(INK), OUTLINE, radius=4)
        c.line([(84, cy - 6), (104, cy - 6)], rgba(IRON_LIGHT), 2.5)
        c.rect(100, cy - 16, 116, cy + 16, rgba(HAZARD), rgba(INK), OUTLINE, radius=3)
    # turret
    r = 28
    c.circle(cx, cy, r, rgba(IRON_LIGHT if auto else SLATE_DARK), rgba(INK), OUTLINE)
    if auto:
        hazard_stripes(c, ring_mask(c, cx, cy, r - 2, 17), width=6)
        c.circle(cx, cy, 17, rgba(IRON), rgba(INK), 1.5)
        c.circle(cx + 4, cy, 8, rgba(HAZARD), rgba(INK), 1.5)
        c.circle(cx + 6, cy - 3, 2.6, rgba(WHITE, 220))
    else:
        c.circle(cx, cy, 17, rgba(IRON), rgba(INK), 1.5)
        for i in range(6):
            a = math.radians(i * 60 + 30)
            c.circle(cx + math.cos(a) * 22.5, cy + math.sin(a) * 22.5, 2.2, rgba(IRON_LIGHT))
        c.circle(cx, cy, 7, rgba(HAZARD), rgba(INK), 1.5)
    c.circle(cx, cy, r, None, rgba(INK), OUTLINE)


def draw_cannon(auto):
    c = Canvas(120, 120)
    cannon_body(c, auto)
    c.shadow(offset=(0, 2), blur=1.5, alpha=60)
    return c.final()


def draw_bullet():
    c = Canvas(25, 25)
    c.circle(12.5, 12.5, 11, rgba(IRON), rgba(INK), 1.5)
    c.circle(12.5, 12.5, 7.5, None, rgba(HAZARD), 1.6)
    c.circle(9, 9, 2.6, rgba(IRON_LIGHT))
    return c.final()


def draw_hazard_fan():
    """Fixed fan blowing to the right (+x): dark, with hazard stripes."""
    c = Canvas(100, 100)
    cy = 50
    for dy in (-24, -8, 8, 24):
        c.line([(76, cy + dy), (96, cy + dy)], rgba(WHITE, 180), 2.5)
    c.rect(6, 14, 30, 86, rgba(IRON), rgba(INK), OUTLINE, radius=4)
    mask = Image.new("L", c.img.size, 0)
    ImageDraw.Draw(mask).rectangle((9 * c.ss, 17 * c.ss, 27 * c.ss, 83 * c.ss), fill=255)
    hazard_stripes(c, mask, width=6)
    c.polygon([(30, 22), (62, 8), (62, 92), (30, 78)], rgba(SLATE_DARK), rgba(INK), OUTLINE)
    c.ellipse(64, 50, 9, 42, rgba(IRON), rgba(INK), OUTLINE)
    for dy in range(-32, 33, 8):
        half = math.sqrt(max(0.0, 1 - (dy / 42.0) ** 2)) * 8
        c.line([(64 - half, 50 + dy), (64 + half, 50 + dy)], rgba(IRON_LIGHT), 1.5)
    c.circle(64, 50, 6, rgba(HAZARD), rgba(INK), 1.5)
    return c.final()


def make_hazards(reg):
    reg.add(f"{ENTITIES}saw", draw_saw(), "Saw blade (Patrol hazard); spin it with CoolTurn")
    reg.add(f"{ENTITIES}spikeball", draw_spike_ball(), "Spiked ball hazard")
    reg.add(f"{ENTITIES}pendulum", draw_pendulum(),
            "Pendulum: pivot bolt at the picture's centre, arm down to a spiked ball "
            "(ball centre 162 below the pivot, radius about 40)")
    reg.add(f"{ENTITIES}cannon", draw_cannon(False),
            "Fixed cannon, barrel to the right (+x), turret at the centre")
    reg.add(f"{ENTITIES}autocannon", draw_cannon(True),
            "Aiming cannon: twin barrel to the right (+x), striped turret with a red eye")
    reg.add(f"{ENTITIES}bullet", draw_bullet(), "Cannon ball")
    reg.add(f"{ENTITIES}hazardfan", draw_hazard_fan(),
            "Fixed hazard fan blowing to the right (+x)")


# ------------------------------------------------------------------------------------------
# Blocks
# ------------------------------------------------------------------------------------------

def draw_panel(w, h, rivets=True):
    c = Canvas(w, h)
    c.rect(0, 0, w, h, rgba(SLATE), rgba(INK), OUTLINE, radius=min(6, w / 6, h / 6))
    bev = 5 if min(w, h) >= 40 else 3
    c.rect(OUTLINE, OUTLINE, w - OUTLINE, OUTLINE + bev, rgba(SLATE_LIGHT), radius=2)
    c.rect(OUTLINE, h - OUTLINE - bev, w - OUTLINE, h - OUTLINE, rgba(SLATE_DARK), radius=2)
    if rivets:
        step = 100
        xs = [14] + list(range(step, w - 20, step)) + [w - 14] if w >= 40 else [w / 2]
        ys = [14] + list(range(step, h - 20, step)) + [h - 14] if h >= 40 else [h / 2]
        for x in xs:
            for y in ys:
                if x in (xs[0], xs[-1]) or y in (ys[0], ys[-1]):
                    c.circle(x, y, 2.5, rgba(SLATE_LIGHT), rgba(INK_SOFT), 1)
    return c.final()


def draw_ground(w, h):
    img = vertical_gradient(w, h, [(0, (120, 92, 70)), (1, (84, 62, 52))])
    c = Canvas(w, h)
    c.img = img.resize((w * c.ss, h * c.ss), Image.NEAREST)
    rnd = random.Random(5)
    for _ in range(w // 12):
        x, y = rnd.uniform(0, w), rnd.uniform(30, h - 6)
        c.ellipse(x, y, rnd.uniform(3, 7), rnd.uniform(2, 4), rgba((150, 118, 92)))
    grass = [(0, 26)]
    x = 0.0
    while x < w:
        grass.append((x + 6, 12 + rnd.uniform(-3, 3)))
        grass.append((x + 12, 24))
        x += 12
    grass += [(w, 24), (w, 0), (0, 0)]
    c.polygon([(0, 0), (w, 0), (w, 24), (0, 24)], rgba(MINT))
    c.polygon(grass[:-2] + [(w, 30), (0, 30)], rgba(MINT))
    c.rect(0, 0, w, 8, rgba((110, 205, 140)))
    return c.final()


def make_blocks(reg):
    reg.add(f"{BLOCKS}block", draw_panel(100, 100), "Square wall block")
    reg.add(f"{BLOCKS}wall_h", draw_panel(400, 50), "Horizontal wall beam")
    reg.add(f"{BLOCKS}wall_v", draw_panel(50, 400), "Vertical wall beam")
    reg.add(f"{BLOCKS}wall_long", draw_panel(800, 50), "Long horizontal wall beam")
    reg.add(f"{BLOCKS}plank", draw_panel(200, 30), "Short thin ledge")
    reg.add(f"{BLOCKS}ground", draw_ground(1600, 120),
            "Grass and earth strip for the bottom of a level")


def make(reg):
    make_planes(reg)
    make_fans(reg)
    make_pickups(reg)
    make_hazards(reg)
    make_blocks(reg)
