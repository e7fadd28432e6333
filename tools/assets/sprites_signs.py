"""Signs in the first level's sky that teach the control as the plane flies past them: a
paper card with a coloured title tab, a small picture and one or two short lines."""

from PIL import Image

import sprites_gameplay
from spritekit import *  # noqa: F401,F403  (palette, folders and the drawing kit)

SIGNS = "sprites/gameplay/signs/"

SIGN_W, SIGN_H = 460, 330
TAB_H = 74


def paste(c, img, cx, cy, scale=1.0, angle=0):
    """Composite a finished picture centred on (cx, cy), scaled and turned (degrees,
    anticlockwise), into the supersampled canvas."""
    if angle:
        img = img.rotate(angle, resample=Image.BICUBIC, expand=True)
    w, h = int(img.size[0] * scale * c.ss), int(img.size[1] * scale * c.ss)
    big = img.resize((w, h), Image.LANCZOS)
    c.img.alpha_composite(big, (int(cx * c.ss - w / 2), int(cy * c.ss - h / 2)))


def card(title, accent, lines):
    """The card, its title and its lines; returns the canvas and the picture's centre line."""
    c = Canvas(SIGN_W, SIGN_H)
    m = 8
    c.rect(m, m, SIGN_W - m, SIGN_H - m, rgba(PAPER), rgba(INK), 4, radius=24)
    c.rect(m, m, SIGN_W - m, m + TAB_H, rgba(accent), rgba(INK), 4, radius=24)
    # square off the tab's lower corners so it reads as a band across the card
    c.rect(m + 2, m + TAB_H - 26, SIGN_W - m - 2, m + TAB_H - 2, rgba(accent))
    c.line([(m + 2, m + TAB_H), (SIGN_W - m - 2, m + TAB_H)], rgba(INK), 4, round_caps=False)
    c.text(SIGN_W / 2, m + TAB_H / 2 + 1, title, 42, rgba(WHITE), stroke=3,
           stroke_fill=rgba(INK), max_width=SIGN_W - 50)
    y = SIGN_H - m - 24 - 34 * (len(lines) - 1)
    for text in lines:
        c.text(SIGN_W / 2, y, text, 28, rgba(INK), path=FONT_REGULAR, max_width=SIGN_W - 40)
        y += 34
    picture_top = m + TAB_H + 8
    picture_bottom = SIGN_H - m - 24 - 34 * (len(lines) - 1) - 24
    return c, (picture_top + picture_bottom) / 2


def mouse(c, cx, cy, lit, k=1.0):
    """A computer mouse seen from above, k times its sign size; the left button glows when
    lit."""
    w, h = 58 * k, 84 * k
    x0, y0 = cx - w / 2, cy - h / 2
    c.line([(cx, y0), (cx, y0 - 14 * k), (cx + 12 * k, y0 - 26 * k)], rgba(INK), 3 * k)
    c.rect(x0, y0, x0 + w, y0 + h, rgba(PAPER_SHADE), rgba(INK), 3 * k, radius=26 * k)
    split = y0 + 34 * k
    if lit:
        left = [(x0 + 3 * k, split), (x0 + 3 * k, y0 + 24 * k), (x0 + 10 * k, y0 + 8 * k),
                (cx - 1.5 * k, y0 + 2.5 * k), (cx - 1.5 * k, split)]
        c.polygon(left, rgba(SUN), None)
    c.line([(x0 + 3 * k, split), (x0 + w - 3 * k, split)], rgba(INK), 2.5 * k, round_caps=False)
    c.line([(cx, y0 + 3 * k), (cx, split)], rgba(INK), 2.5 * k, round_caps=False)
    if lit:
        # rays off the lit button
        top = cy - 26 * k
        for a, b in (((-36, -6), (-47, -10)), ((-34, 8), (-45, 12)), ((-27, -22), (-36, -32))):
            c.line([(cx + a[0] * k, top + a[1] * k), (cx + b[0] * k, top + b[1] * k)],
                   rgba(SUN_DEEP), 3.5 * k)


def arrow(c, x0, y0, x1, y1, color=INK_SOFT, width=6):
    """A straight arrow from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length = max(1e-6, (dx * dx + dy * dy) ** 0.5)
    ux, uy = dx / length, dy / length
    head = 16
    base = (x1 - ux * head, y1 - uy * head)
    c.line([(x0, y0), base], rgba(color), width)
    c.polygon([(x1, y1), (base[0] - uy * 11, base[1] + ux * 11),
               (base[0] + uy * 11, base[1] - ux * 11)], rgba(color), rgba(color), 2)


def puffs(c, cx, y_top, y_bottom):
    """Wind lines streaming up from a fan."""
    for dx, shorten in ((-18, 6), (0, 0), (18, 6)):
        c.line([(cx + dx, y_bottom - shorten), (cx + dx, y_top + shorten)], rgba(WHITE), 5)
        c.line([(cx + dx, y_bottom - shorten), (cx + dx, y_top + shorten)], rgba(SKY_DEEP), 2.5)


def plane():
    return sprites_gameplay.draw_plane(sprites_gameplay.PLANE_SKINS[1], 2)


def fan(blowing):
    return sprites_gameplay.draw_fan(22 if blowing else 30, blowing, 2 if blowing else 0)


def sign_hold():
    c, cy = card("Hold to lift", MINT, ["Hold the left button,", "fan under the plane"])
    mouse(c, 110, cy + 8, True)
    arrow(c, 160, cy + 8, 220, cy + 8)
    px = 320
    paste(c, plane(), px, cy - 54, 0.7)
    puffs(c, px, cy - 32, cy + 10)
    paste(c, fan(True), px, cy + 38, 1.2, angle=90)
    arrow(c, px + 74, cy + 24, px + 74, cy - 58, MINT_DEEP, 7)
    return c.final()


def sign_fall():
    c, cy = card("Let go to fall", SKY_DEEP, ["Release the button:", "the plane sinks"])
    mouse(c, 110, cy + 8, False)
    arrow(c, 160, cy + 8, 220, cy + 8)
    px = 320
    paste(c, plane(), px, cy - 40, 0.7, angle=-12)
    arrow(c, px + 74, cy - 58, px + 74, cy + 34, CORAL, 7)
    paste(c, fan(False), px, cy + 44, 1.1, angle=90)
    return c.final()


def sign_stars():
    c, cy = card("Collect the stars", SUN_DEEP, ["Fly through all three"])
    star = sprites_gameplay.draw_star(96)
    for i, dx in enumerate((-120, 0, 120)):
        paste(c, star, SIGN_W / 2 + dx, cy + (10 if i != 1 else -8), 1.0)
    return c.final()


def sign_checkpoint():
    c, cy = card("Checkpoint", MINT, ["Touch it: after a crash", "you fly on from here, once"])
    paste(c, plane(), SIGN_W / 2 - 110, cy - 10, 0.6)
    arrow(c, SIGN_W / 2 - 50, cy - 6, SIGN_W / 2 + 20, cy - 6)
    paste(c, sprites_gameplay.draw_checkpoint(), SIGN_W / 2 + 90, cy, 1.1)
    return c.final()


def sign_flag():
    c, cy = card("Touch the flag to win", CORAL, ["Fly into it to finish"])
    paste(c, plane(), SIGN_W / 2 - 90, cy - 16, 0.6, angle=-20)
    arrow(c, SIGN_W / 2 - 30, cy, SIGN_W / 2 + 40, cy + 10)
    paste(c, sprites_gameplay.draw_win_flag(), SIGN_W / 2 + 100, cy, 1.0)
    return c.final()


# In the order the plane meets them along the first level.
SIGN_PICTURES = [
    ("sign_hold", sign_hold, "hold the left button to lift, fan under the plane"),
    ("sign_fall", sign_fall, "let go of the button to fall"),
    ("sign_stars", sign_stars, "collect the stars"),
    ("sign_checkpoint", sign_checkpoint, "the checkpoint gives one rescue after a crash"),
    ("sign_flag", sign_flag, "touch the chequered flag to win"),
]


def make(reg):
    for name, draw, what in SIGN_PICTURES:
        reg.add(f"{SIGNS}{name}", draw(), f"Level 1 sign: {what}")
