#!/usr/bin/python3
"""Draws the 256 x 256 application icon from the game's own art: a patch of the morning sky in
a rounded square with the first plane skin in front. Run with Debian's python3 and its Pillow
(package python3-pil):

    /usr/bin/python3 packaging/make-icon.py

It writes packaging/fleetwing.png and, scaled down from it, packaging/icons/fleetwing-N.png
for the smaller sizes desktops ask for; the same art gives the same bytes."""

import os

from PIL import Image, ImageDraw

SIZE = 256
SMALLER = (48, 64, 128)
CORNER = 44
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def sky_square():
    sky = Image.open(os.path.join(ROOT, "assets/sprites/backgrounds/sky1.png")).convert("RGBA")
    # The upper left of the sky holds clouds and the first hill band: recognisable when small.
    side = sky.height
    return sky.crop((80, 0, 80 + side, side)).resize((SIZE, SIZE), Image.LANCZOS)


def rounded_mask():
    # Drawn four times larger and scaled down so the corners are smooth.
    big = Image.new("L", (SIZE * 4, SIZE * 4), 0)
    ImageDraw.Draw(big).rounded_rectangle((0, 0, SIZE * 4 - 1, SIZE * 4 - 1), CORNER * 4, fill=255)
    return big.resize((SIZE, SIZE), Image.LANCZOS)


def plane():
    art = Image.open(os.path.join(ROOT, "assets/sprites/gameplay/entities/ball1.png"))
    art = art.convert("RGBA")
    # Whole-number scaling keeps the sprite's crisp outline.
    return art.resize((art.width * 2, art.height * 2), Image.NEAREST)


def main():
    icon = Image.new("RGBA", (SIZE, SIZE), (0, 0, 0, 0))
    icon.paste(sky_square(), (0, 0), rounded_mask())
    wing = plane()
    icon.alpha_composite(wing, ((SIZE - wing.width) // 2, (SIZE - wing.height) // 2 - 20))
    icon.save(os.path.join(ROOT, "packaging/fleetwing.png"), optimize=True)
    write_smaller(icon)


def write_smaller(icon):
    os.makedirs(os.path.join(ROOT, "packaging/icons"), exist_ok=True)
    for size in SMALLER:
        small = icon.resize((size, size), Image.LANCZOS)
        small.save(os.path.join(ROOT, f"packaging/icons/fleetwing-{size}.png"), optimize=True)


if __name__ == "__main__":
    main()
