"""Scenery: level sky backdrops and their tiling depth layers, the menu backdrop (depth baked
in), splash cards, title logo."""

import math
import random

from PIL import Image, ImageDraw, ImageFilter

from spritekit import *  # noqa: F401,F403  (palette, folders and the drawing kit)

W, H = 1600, 900
BG_SS = 2  # full-screen pictures are big: a lighter supersample is plenty

# Each sky: gradient stops, sun or moon, and the colours of the three hill bands from far
# to near. Far layers are paler and closer to the sky colour, which reads as distance.
SKIES = {
    1: dict(title="Morning",
            stops=[(0.0, (104, 172, 232)), (0.65, (190, 224, 248)), (1.0, (236, 246, 252))],
            sun=(1240, 190, 70, (255, 236, 150)), moon=False, stars=False,
            hills=[(170, 196, 222), (120, 178, 150), (76, 152, 104)],
            cloud=(255, 255, 255), cloud_shade=(214, 230, 246)),
    2: dict(title="Noon",
            stops=[(0.0, (62, 136, 214)), (0.7, (160, 208, 244)), (1.0, (214, 236, 250))],
            sun=(330, 150, 64, (255, 244, 190)), moon=False, stars=False,
            hills=[(150, 182, 214), (98, 168, 130), (58, 140, 90)],
            cloud=(255, 255, 255), cloud_shade=(206, 224, 244)),
    3: dict(title="Sunset",
            stops=[(0.0, (92, 104, 180)), (0.45, (214, 140, 150)), (0.8, (252, 184, 120)),
                   (1.0, (255, 214, 150))],
            sun=(1080, 560, 96, (255, 196, 110)), moon=False, stars=False,
            hills=[(196, 140, 156), (146, 100, 136), (96, 70, 112)],
            cloud=(255, 226, 214), cloud_shade=(232, 168, 170)),
    4: dict(title="Dusk",
            stops=[(0.0, (28, 38, 86)), (0.5, (74, 76, 138)), (0.85, (176, 120, 150)),
                   (1.0, (230, 160, 140))],
            sun=(380, 170, 40, (246, 240, 214)), moon=True, stars=True,
            hills=[(90, 88, 140), (62, 64, 110), (40, 44, 82)],
            cloud=(150, 146, 196), cloud_shade=(112, 108, 160)),
}


def hill_profile(rnd, base, amplitude, waves):
    """y of a hill line every 8 pixels: a few seeded sine waves, finer ones weaker."""
    parts = [(amplitude * rnd.uniform(0.6, 1.0) / (i + 1), rnd.uniform(1.0, 3.5) * (i + 1),
              rnd.uniform(0, 6.28)) for i in range(waves)]
    pts = []
    for x in range(0, W + 9, 8):
        y = base - sum(a * math.sin(x / W * f * math.pi + p) for a, f, p in parts)
        pts.append((x, y))
    return pts


def draw_hills(img, pts, color, ss):
    lay = Image.new("RGBA", img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(lay)
    poly = [(x * ss, y * ss) for x, y in pts] + [(W * ss, H * ss), (0, H * ss)]
    d.polygon(poly, fill=rgba(color))
    return Image.alpha_composite(img, lay)


def draw_trees(img, rnd, pts, color, ss, count):
    lay = Image.new("RGBA", img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(lay)
    for _ in range(count):
        i = rnd.randrange(2, len(pts) - 2)
        x, y = pts[i]
        h = rnd.uniform(26, 44)
        r = h * 0.32
        d.rectangle(((x - 2) * ss, (y - h * 0.4) * ss, (x + 2) * ss, (y + 6) * ss),
                    fill=rgba(color))
        d.ellipse(((x - r) * ss, (y - h) * ss, (x + r) * ss, (y - h + 2 * r + h * 0.35) * ss),
                  fill=rgba(color))
    return Image.alpha_composite(img, lay)


def cloud_layer(size, rnd, clouds, color, shade, ss, alpha, blur):
    """A layer of puffy clouds: overlapping circles cut flat at the bottom, with a shaded
    underside."""
    lay = Image.new("RGBA", size, (0, 0, 0, 0))
    for cx, cy, scale in clouds:
        n = rnd.randint(4, 6)
        puffs = []
        for i in range(n):
            px = cx + (i - (n - 1) / 2) * 34 * scale + rnd.uniform(-8, 8) * scale
            r = (rnd.uniform(26, 40) if 0 < i < n - 1 else rnd.uniform(18, 26)) * scale
            puffs.append((px, cy - r * 0.45, r))
        left = int((puffs[0][0] - puffs[0][2] - 2) * ss)
        right = int((puffs[-1][0] + puffs[-1][2] + 2) * ss)
        top = int((cy - 60 * scale) * ss)
        bottom = int((cy + 8 * scale) * ss)
        one = Image.new("RGBA", (right - left, bottom - top), (0, 0, 0, 0))
        d = ImageDraw.Draw(one)
        for px, py, r in puffs:
            d.ellipse(((px - r) * ss - left, (py - r + 7 * scale) * ss - top,
                       (px + r) * ss - left, (py + r + 7 * scale) * ss - top),
                      fill=rgba(shade))
        for px, py, r in puffs:
            d.ellipse(((px - r) * ss - left, (py - r) * ss - top, (px + r) * ss - left,
                       (py + r) * ss - top), fill=rgba(color))
        # opaque inside, faded as a whole, so the underside never shows through the top
        one.putalpha(one.getchannel("A").point(lambda v: v * alpha // 255))
        piece = Image.new("RGBA", size, (0, 0, 0, 0))
        piece.paste(one, (left, top))
        lay = Image.alpha_composite(lay, piece)
    if blur:
        lay = soft_blur(lay, blur * ss)
    return lay


def scatter_clouds(rnd, count, y_range, scale_range):
    """Clouds spread across the width: one per slot, jittered inside it."""
    slot = (W + 200) / count
    order = list(range(count))
    rnd.shuffle(order)
    return [(-100 + slot * (i + rnd.uniform(0.2, 0.8)), rnd.uniform(*y_range),
             rnd.uniform(*scale_range)) for i in order]


def draw_sky_picture(sky, seed, hills=True, clouds_near=True, clouds_far=True):
    ss = BG_SS
    rnd = random.Random(seed)
    img = vertical_gradient(W, H, sky["stops"]).resize((W * ss, H * ss), Image.BILINEAR)
    d = ImageDraw.Draw(img)
    if sky["stars"]:
        for _ in range(140):
            x, y = rnd.uniform(0, W), rnd.uniform(0, H * 0.45)
            r = rnd.choice((0.8, 1.0, 1.3, 1.8))
            d.ellipse(((x - r) * ss, (y - r) * ss, (x + r) * ss, (y + r) * ss),
                      fill=rgba((255, 250, 220), rnd.randint(120, 230)))
    sx, sy, sr, scol = sky["sun"]
    halo = Image.new("RGBA", img.size, (0, 0, 0, 0))
    ImageDraw.Draw(halo).ellipse(((sx - sr * 2.2) * ss, (sy - sr * 2.2) * ss,
                                  (sx + sr * 2.2) * ss, (sy + sr * 2.2) * ss),
                                 fill=rgba(mix(scol, WHITE, 0.5), 110))
    img = Image.alpha_composite(img, soft_blur(halo, sr * 0.9 * ss))
    mask = Image.new("L", img.size, 0)
    dm = ImageDraw.Draw(mask)
    dm.ellipse(((sx - sr) * ss, (sy - sr) * ss, (sx + sr) * ss, (sy + sr) * ss), fill=255)
    if sky["moon"]:  # a crescent: the disc less a shifted disc
        dm.ellipse(((sx - sr * 0.45) * ss, (sy - sr * 1.2) * ss, (sx + sr * 1.55) * ss,
                    (sy + sr * 0.8) * ss), fill=0)
    disc = Image.new("RGBA", img.size, rgba(scol))
    disc.putalpha(mask)
    img = Image.alpha_composite(img, disc)

    if not clouds_far:
        return img.resize((W, H), Image.BOX)
    # far clouds: small, pale, soft
    far = cloud_layer(img.size, rnd, scatter_clouds(rnd, 9, (120, 420), (0.5, 0.8)),
                      mix(sky["cloud"], sky["stops"][0][1], 0.35), sky["cloud_shade"], ss,
                      150, 2.5)
    img = Image.alpha_composite(img, far)
    if hills:
        bands = [(640, 70, 4), (720, 55, 3), (800, 40, 3)]
        for i, ((base, amp, waves), color) in enumerate(zip(bands, sky["hills"])):
            pts = hill_profile(rnd, base, amp, waves)
            img = draw_hills(img, pts, color, ss)
            if i == 1:
                img = draw_trees(img, rnd, pts, mix(color, (0, 0, 0), 0.12), ss, 18)
            if i == 2:
                img = draw_trees(img, rnd, pts, mix(color, (0, 0, 0), 0.18), ss, 12)
            if i == 0:
                haze = cloud_layer(img.size, rnd, scatter_clouds(rnd, 5, (600, 700), (1.0, 1.4)),
                                   mix(sky["cloud"], sky["stops"][-1][1], 0.5),
                                   mix(sky["cloud"], sky["stops"][-1][1], 0.5), ss, 70, 6)
                img = Image.alpha_composite(img, haze)
    if clouds_near:
        near = cloud_layer(img.size, rnd, scatter_clouds(rnd, 4, (160, 520), (1.2, 1.7)),
                           sky["cloud"], sky["cloud_shade"], ss, 225, 0.8)
        img = Image.alpha_composite(img, near)
    return img.resize((W, H), Image.BOX)


def draw_menu_background():
    sky = dict(SKIES[1])
    img = draw_sky_picture(sky, 101)
    c = Canvas(W, H, ss=BG_SS)
    c.img = img.resize((W * BG_SS, H * BG_SS), Image.NEAREST)
    # a dashed loop of a past flight, and two far planes
    path = []
    for i in range(0, 181):
        t = i / 180.0
        x = 120 + t * 1360
        y = 700 - 260 * math.sin(t * math.pi) + 70 * math.sin(t * 3 * math.pi)
        path.append((x, y))
    for i in range(0, len(path) - 3, 6):
        c.line(path[i:i + 4], rgba(WHITE, 170), 4)
    for (x, y), scale, ang in (((1500, 520), 0.9, -20), ((240, 300), 0.6, 15)):
        pts = [(34, 0), (-30, -14), (-20, 0), (-30, 12)]
        ca, sa = math.cos(math.radians(ang)), math.sin(math.radians(ang))
        p = [(x + (px * ca - py * sa) * scale, y + (px * sa + py * ca) * scale) for px, py in pts]
        c.polygon(p, rgba(PAPER, 230), rgba(INK_SOFT, 200), 1.5)
    return c.final()


# ------------------------------------------------------------------------------------------
# Scenery layers: strips 1600 wide that tile seamlessly left to right, drawn over the fixed
# backdrop and slid by the game at a share of the camera's motion. Each covers rows TOP to
# BOTTOM of the 1600 x 900 picture when the camera is at the origin; tools/scenes/levelkit.py
# places them from the same numbers.
# ------------------------------------------------------------------------------------------

LAYERS = {  # name: (top row, bottom row)
    "clouds_far": (60, 470),
    "hills_far": (460, 900),
    "hills_near": (560, 900),
}


def wrapped_canvas(rows, ss):
    """Three tiles side by side: shapes drawn once in each (x, x + W, x + 2W) and the middle
    tile cut out afterwards wrap across the seam, blur included."""
    return Image.new("RGBA", (3 * W * ss, rows * ss), (0, 0, 0, 0))


def middle_tile(img, ss):
    return img.crop((W * ss, 0, 2 * W * ss, img.size[1])).resize((W, img.size[1] // ss), Image.BOX)


def periodic_profile(rnd, base, amplitude, waves):
    """y of a hill line every 8 pixels across three tiles: seeded sine waves whose periods
    divide the tile width, finer ones weaker, so the line meets itself at the seam."""
    parts = [(amplitude * rnd.uniform(0.6, 1.0) / (i + 1), rnd.randint(2, 3) + 3 * i,
              rnd.uniform(0, 6.28)) for i in range(waves)]
    pts = []
    for x in range(0, 3 * W + 1, 8):
        y = base - sum(a * math.sin(2 * math.pi * k * x / W + p) for a, k, p in parts)
        pts.append((x, y))
    return pts


def wrapped_hills(img, pts, color, top, ss):
    d = ImageDraw.Draw(img)
    poly = [(x * ss, (y - top) * ss) for x, y in pts]
    poly += [(3 * W * ss, img.size[1]), (0, img.size[1])]
    d.polygon(poly, fill=rgba(color))


def wrapped_trees(img, rnd, pts, color, top, ss, count):
    """Round trees on the hill line, each drawn in all three tiles."""
    d = ImageDraw.Draw(img)
    per_tile = (len(pts) - 1) // 3
    for _ in range(count):
        i = rnd.randrange(0, per_tile)
        h = rnd.uniform(26, 44)
        r = h * 0.32
        for tile in range(3):
            x, y = pts[i + tile * per_tile]
            y -= top
            d.rectangle(((x - 2) * ss, (y - h * 0.4) * ss, (x + 2) * ss, (y + 6) * ss),
                        fill=rgba(color))
            d.ellipse(((x - r) * ss, (y - h) * ss, (x + r) * ss, (y - h + 2 * r + h * 0.35) * ss),
                      fill=rgba(color))


def wrapped_clouds(rows, top, rnd, clouds, color, shade, ss, alpha, blur):
    """cloud_layer's clouds, each repeated in the three tiles, blurred across the seam."""
    repeated = []
    for cx, cy, scale in clouds:
        repeated += [(cx + tile * W, cy - top, scale) for tile in range(3)]
    # One random draw per cloud, shared by its three copies.
    state = rnd.getstate()
    lay = None
    for tile in range(3):
        rnd.setstate(state)
        part = cloud_layer((3 * W * ss, rows * ss), rnd, repeated[tile::3], color, shade, ss,
                           alpha, 0)
        lay = part if lay is None else Image.alpha_composite(lay, part)
    if blur:
        lay = soft_blur(lay, blur * ss)
    return lay


def haze(sky, t):
    """A colour t of the way from `sky`'s horizon to the given one: distance fades."""
    horizon = sky["stops"][-1][1]
    return lambda color: mix(color, horizon, t)


def draw_backdrop(sky, seed):
    """What stays put behind the moving layers: gradient, sun or moon, stars."""
    return draw_sky_picture(sky, seed, hills=False, clouds_near=False, clouds_far=False)


def draw_clouds_far(sky, seed):
    top, bottom = LAYERS["clouds_far"]
    rnd = random.Random(seed)
    lay = wrapped_clouds(bottom - top, top, rnd, scatter_tile_clouds(rnd, 8, (120, 400),
                                                                     (0.5, 0.8)),
                         mix(sky["cloud"], sky["stops"][0][1], 0.35), sky["cloud_shade"],
                         BG_SS, 150, 2.5)
    return middle_tile(lay, BG_SS)


def draw_hills_far(sky, seed):
    top, bottom = LAYERS["hills_far"]
    rnd = random.Random(seed)
    ss = BG_SS
    img = wrapped_canvas(bottom - top, ss)
    pts = periodic_profile(rnd, 640, 70, 4)
    wrapped_hills(img, pts, sky["hills"][0], top, ss)
    mist = wrapped_clouds(bottom - top, top, rnd, scatter_tile_clouds(rnd, 4, (600, 690),
                                                                      (1.0, 1.4)),
                          mix(sky["cloud"], sky["stops"][-1][1], 0.5),
                          mix(sky["cloud"], sky["stops"][-1][1], 0.5), ss, 70, 6)
    img = Image.alpha_composite(soft_blur(img, 1.0 * ss), mist)
    return middle_tile(img, ss)


def draw_hills_near(sky, seed):
    """The two nearer hill bands with their trees, a little paled towards the horizon so
    they stay behind the level's walls and hazards."""
    top, bottom = LAYERS["hills_near"]
    rnd = random.Random(seed)
    ss = BG_SS
    fade = haze(sky, 0.22)
    img = wrapped_canvas(bottom - top, ss)
    for (base, amp, waves), color, trees, shade in (((720, 55, 3), sky["hills"][1], 14, 0.12),
                                                    ((800, 40, 3), sky["hills"][2], 10, 0.18)):
        pts = periodic_profile(rnd, base, amp, waves)
        wrapped_hills(img, pts, fade(color), top, ss)
        wrapped_trees(img, rnd, pts, fade(mix(color, (0, 0, 0), shade)), top, ss, trees)
    return middle_tile(soft_blur(img, 0.8 * ss), ss)


def scatter_tile_clouds(rnd, count, y_range, scale_range):
    """Clouds spread over one tile's width, one per slot, jittered inside it."""
    slot = W / count
    return [(slot * (i + rnd.uniform(0.15, 0.85)), rnd.uniform(*y_range),
             rnd.uniform(*scale_range)) for i in range(count)]


LAYER_DRAWERS = {
    "clouds_far": (draw_clouds_far, "far clouds, small and pale"),
    "hills_far": (draw_hills_far, "the far hill band with low mist"),
    "hills_near": (draw_hills_near, "the two near hill bands with trees, paled"),
}


def make_skies(reg):
    for n, sky in SKIES.items():
        reg.add(f"{BACKGROUNDS}sky{n}", draw_backdrop(sky, 10 + n),
                f"Level sky \"{sky['title']}\" backdrop, fixed on screen: gradient, "
                f"{'moon and stars' if sky['moon'] else 'sun'}")
        for i, (name, (draw, what)) in enumerate(LAYER_DRAWERS.items()):
            top, bottom = LAYERS[name]
            reg.add(f"{BACKGROUNDS}sky{n}_{name}", palette_strip(draw(sky, 100 * n + i)),
                    f"Level sky \"{sky['title']}\" scenery layer, tiling left to right: "
                    f"{what}; rows {top} to {bottom} of the sky")
    reg.add(f"{BACKGROUNDS}menu", draw_menu_background(),
            "Menu backdrop: morning sky, hills, a dashed flight loop and two far planes")


# ------------------------------------------------------------------------------------------
# Logos and splash cards
# ------------------------------------------------------------------------------------------

def sheared_text(w, h, text, size, fill, stroke, stroke_fill, shear=0.18, path=FONT_BOLD):
    """Text leaning forward, on a transparent picture of w x h final pixels."""
    c = Canvas(w, h)
    c.text(w / 2, h / 2, text, size, fill, path=path, stroke=stroke, stroke_fill=stroke_fill,
           max_width=w - 40)
    img = c.img.transform(c.img.size, Image.AFFINE,
                          (1, shear, -shear * c.img.size[1] / 2, 0, 1, 0), Image.BICUBIC)
    c.img = img
    return c


def draw_logo():
    w, h = 900, 280
    c = Canvas(w, h)
    # trail loop behind the word
    trail = []
    for i in range(0, 121):
        t = i / 120.0
        trail.append((60 + t * 760, 190 - 120 * math.sin(t * math.pi * 1.1) - 20 * t))
    for i in range(0, len(trail) - 3, 5):
        c.line(trail[i:i + 3], rgba(WHITE, 230), 5)
    word = sheared_text(w, h, "Fleetwing", 150, rgba(PAPER), 9, rgba(INK))
    word.shadow(offset=(0, 8), blur=4, alpha=110)
    c.put(word.img)
    # a plane at the end of the trail
    x, y = 812, 58
    plane = [(x + 44, y + 6), (x - 30, y - 22), (x - 6, y + 10), (x - 24, y + 24)]
    c.polygon([plane[0], plane[1], plane[2]], rgba(PAPER), rgba(INK), 3)
    c.polygon([plane[0], plane[2], plane[3]], rgba(SKY_PALE), rgba(INK), 3)
    return c.final()


def draw_vela_card():
    c = Canvas(W, H, ss=BG_SS)
    c.img = vertical_gradient(W, H, [(0, (14, 20, 44)), (1, (34, 44, 88))]).resize(
        (W * BG_SS, H * BG_SS), Image.BILINEAR)
    cx, cy = 800, 360
    sail = [(cx - 10, cy - 170), (cx + 130, cy + 90), (cx - 10, cy + 90)]
    jib = [(cx - 30, cy - 130), (cx - 30, cy + 90), (cx - 150, cy + 90)]
    c.polygon(sail, rgba(PAPER), rgba(SKY_PALE), 3)
    c.polygon(jib, rgba(SKY), rgba(SKY_PALE), 3)
    c.polygon([(cx - 180, cy + 110), (cx + 170, cy + 110), (cx + 120, cy + 150),
               (cx - 140, cy + 150)], rgba(SUN))
    for x, y, r in ((cx + 220, cy - 150, 7), (cx + 270, cy - 60, 5), (cx - 240, cy - 110, 6),
                    (cx - 280, cy + 10, 4), (cx + 310, cy + 40, 4)):
        c.polygon(star_points(x, y, r * 2, r * 0.7, 4, 0), rgba(WHITE))
    c.text(800, 640, "VELA ENGINE", 92, rgba(PAPER), stroke=0)
    c.text(800, 720, "a small 2D component engine", 34, rgba(SKY_PALE), path=FONT_REGULAR)
    return c.final()


def draw_studio_card():
    c = Canvas(W, H, ss=BG_SS)
    c.img = vertical_gradient(W, H, [(0, PAPER), (1, PAPER_SHADE)]).resize(
        (W * BG_SS, H * BG_SS), Image.BILINEAR)
    cx, cy = 800, 270
    kite = [(cx, cy - 150), (cx + 110, cy - 10), (cx, cy + 140), (cx - 110, cy - 10)]
    c.polygon(kite, rgba(CORAL), rgba(INK), 6)
    c.polygon([kite[0], kite[1], (cx, cy - 10)], rgba(SUN))
    c.polygon([kite[2], kite[3], (cx, cy - 10)], rgba(SKY))
    c.polygon(kite, None, rgba(INK), 6)
    c.line([kite[0], kite[2]], rgba(INK), 4)
    c.line([kite[1], kite[3]], rgba(INK), 4)
    tail = [(cx, cy + 140)]
    for i in range(1, 8):
        tail.append((cx + 30 * math.sin(i * 0.9), cy + 140 + i * 22))
    c.line(tail, rgba(INK), 4)
    for i in (2, 4, 6):
        x, y = tail[i]
        c.polygon([(x - 14, y - 8), (x, y), (x - 14, y + 8)], rgba(MINT), rgba(INK), 2)
    c.text(800, 660, "PAPERKITE STUDIO", 86, rgba(INK))
    c.text(800, 740, "presents", 36, rgba(INK_SOFT), path=FONT_REGULAR)
    return c.final()


def make_cards(reg):
    reg.add(f"{UI}logo", draw_logo(), "Title logo \"Fleetwing\" with a plane and its trail")
    reg.add(f"{SPLASH}vela", palette_card(draw_vela_card()),
            "Splash card: \"VELA ENGINE\" sail logo on dark navy (full picture)")
    reg.add(f"{SPLASH}studio", palette_card(draw_studio_card()),
            "Splash card: \"PAPERKITE STUDIO presents\" kite logo on paper (full picture)")


def make(reg):
    make_skies(reg)
    make_cards(reg)
