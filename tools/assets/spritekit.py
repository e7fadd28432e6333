"""Drawing kit shared by the sprite generator: palette, supersampled canvases, text, shadows.

Everything is drawn at SS times the final size and box-filtered down, which gives clean
anti-aliased edges; the game samples textures with nearest filtering, so each picture is made at
the size it is shown.
"""

import math
import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 4

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
FONT_REGULAR = os.path.join(FONT_DIR, "DejaVuSans.ttf")
FONT_SERIF_BOLD = os.path.join(FONT_DIR, "DejaVuSerif-Bold.ttf")


# One palette for every scene: navy ink, warm paper, sky blues and a few bright accents.
INK = (31, 42, 68)
INK_SOFT = (70, 84, 116)
PAPER = (255, 248, 231)
PAPER_SHADE = (236, 224, 198)
WHITE = (255, 255, 255)
SKY_DEEP = (66, 140, 214)
SKY = (120, 186, 238)
SKY_PALE = (206, 234, 252)
SUN = (255, 201, 60)
SUN_DEEP = (240, 160, 30)
CORAL = (232, 84, 72)
CORAL_DEEP = (176, 50, 46)
MINT = (59, 178, 115)
MINT_DEEP = (34, 128, 80)
TEAL = (43, 142, 158)
TEAL_DEEP = (26, 96, 112)
GOLD = (255, 212, 64)
GOLD_DEEP = (214, 150, 20)
SLATE = (96, 110, 136)
SLATE_LIGHT = (140, 154, 178)
SLATE_DARK = (58, 66, 86)
IRON = (52, 56, 66)
IRON_LIGHT = (110, 116, 130)
HAZARD = (214, 44, 52)
HAZARD_YELLOW = (250, 196, 30)
LOCKED = (150, 156, 168)
LOCKED_DARK = (104, 110, 124)

# Folders under the asset root, as the scenes name them.
ENTITIES = "sprites/gameplay/entities/"
BLOCKS = "sprites/gameplay/blocks/"
BACKGROUNDS = "sprites/backgrounds/"
BUTTONS = "sprites/buttons/"
UI = "sprites/ui/"
SPLASH = "sprites/splash/"

OUTLINE = 2.0


def rgba(color, alpha=255):
    return (color[0], color[1], color[2], alpha)


def mix(a, b, t):
    """Linear blend of two RGB colours, t = 0 gives a."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def font(path, size):
    # The basic layout engine gives the same glyph placement on every machine.
    return ImageFont.truetype(path, int(size), layout_engine=ImageFont.Layout.BASIC)


class Canvas:
    """An RGBA picture of w x h final pixels, drawn in final-pixel coordinates."""

    def __init__(self, w, h, background=(0, 0, 0, 0), ss=SS):
        self.w, self.h, self.ss = w, h, ss
        self.img = Image.new("RGBA", (w * ss, h * ss), background)

    # Coordinates -------------------------------------------------------------------------

    def s(self, v):
        return v * self.ss

    def pts(self, points):
        return [(x * self.ss, y * self.ss) for x, y in points]

    def draw(self):
        return ImageDraw.Draw(self.img)

    # Shapes, each painted on its own layer and composited, so translucent fills blend -------

    def layer(self):
        return Image.new("RGBA", self.img.size, (0, 0, 0, 0))

    def put(self, layer):
        self.img = Image.alpha_composite(self.img, layer)

    def polygon(self, points, fill, outline=None, width=0):
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        p = self.pts(points)
        if fill is not None:
            d.polygon(p, fill=fill)
        if outline is not None and width > 0:
            d.line(p + [p[0]], fill=outline, width=int(width * self.ss), joint="curve")
            for x, y in p:
                r = width * self.ss / 2
                d.ellipse((x - r, y - r, x + r, y + r), fill=outline)
        self.put(lay)

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=0):
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        box = ((cx - rx) * self.ss, (cy - ry) * self.ss, (cx + rx) * self.ss, (cy + ry) * self.ss)
        d.ellipse(box, fill=fill, outline=outline, width=int(width * self.ss))
        self.put(lay)

    def circle(self, cx, cy, r, fill, outline=None, width=0):
        self.ellipse(cx, cy, r, r, fill, outline, width)

    def rect(self, x0, y0, x1, y1, fill, outline=None, width=0, radius=0):
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        box = (x0 * self.ss, y0 * self.ss, x1 * self.ss - 1, y1 * self.ss - 1)
        d.rounded_rectangle(box, radius=radius * self.ss, fill=fill, outline=outline,
                            width=int(width * self.ss))
        self.put(lay)

    def line(self, points, fill, width, round_caps=True):
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        p = self.pts(points)
        d.line(p, fill=fill, width=int(width * self.ss), joint="curve")
        if round_caps:
            r = width * self.ss / 2
            for x, y in (p[0], p[-1]):
                d.ellipse((x - r, y - r, x + r, y + r), fill=fill)
        self.put(lay)

    def arc(self, cx, cy, r, start, end, fill, width):
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        box = ((cx - r) * self.ss, (cy - r) * self.ss, (cx + r) * self.ss, (cy + r) * self.ss)
        d.arc(box, start, end, fill=fill, width=int(width * self.ss))
        self.put(lay)

    # Masks and effects -------------------------------------------------------------------

    def paste_clipped(self, pattern, mask):
        """Composite a full-size pattern layer only where mask (an L image) is set."""
        clipped = pattern.copy()
        alpha = ImageChops.multiply(clipped.getchannel("A"), mask)
        clipped.putalpha(alpha)
        self.put(clipped)

    def polygon_mask(self, points):
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).polygon(self.pts(points), fill=255)
        return mask

    def shadow(self, offset=(0, 4), blur=4, alpha=90, color=INK):
        """Put a soft shadow of everything drawn so far underneath it."""
        a = self.img.getchannel("A").point(lambda v: v * alpha // 255)
        a = a.filter(ImageFilter.GaussianBlur(blur * self.ss))
        sh = Image.new("RGBA", self.img.size, rgba(color, 0))
        sh.putalpha(a)
        moved = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        moved.paste(sh, (int(offset[0] * self.ss), int(offset[1] * self.ss)))
        self.img = Image.alpha_composite(moved, self.img)

    def glow(self, color, blur, alpha):
        """A soft halo of the current shape, drawn underneath it."""
        self.shadow(offset=(0, 0), blur=blur, alpha=alpha, color=color)

    # Text --------------------------------------------------------------------------------

    def text(self, cx, cy, text, size, fill, path=FONT_BOLD, stroke=0, stroke_fill=None,
             max_width=None, anchor="mm"):
        """Text centred on (cx, cy); shrinks to max_width when given."""
        f = fit_font(path, text, size, max_width, self.ss)
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        d.text((cx * self.ss, cy * self.ss), text, font=f, fill=fill, anchor=anchor,
               stroke_width=int(stroke * self.ss), stroke_fill=stroke_fill)
        self.put(lay)

    # Output ------------------------------------------------------------------------------

    def final(self, zoom=1):
        """The finished picture; zoom > 1 gives a larger copy for menus and credits (make the
        canvas with ss = SS * zoom so it stays sharp)."""
        return self.img.resize((self.w * zoom, self.h * zoom), Image.BOX)


def fit_font(path, text, size, max_width, ss=SS):
    """The font at size, made smaller until the text fits max_width final pixels."""
    size = float(size)
    while True:
        f = font(path, size * ss)
        if max_width is None or f.getlength(text) <= max_width * ss or size <= 8:
            return f
        size -= 1


def soft_blur(img, radius):
    """Gaussian blur of an RGBA picture without dark fringes: blurred premultiplied."""
    return img.convert("RGBa").filter(ImageFilter.GaussianBlur(radius)).convert("RGBA")


def star_points(cx, cy, r_outer, r_inner, n=5, rotation=-90.0):
    pts = []
    for i in range(n * 2):
        r = r_outer if i % 2 == 0 else r_inner
        a = math.radians(rotation + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def regular_points(cx, cy, r, n, rotation=0.0):
    return [(cx + r * math.cos(math.radians(rotation + i * 360.0 / n)),
             cy + r * math.sin(math.radians(rotation + i * 360.0 / n))) for i in range(n)]


def vertical_gradient(w, h, stops):
    """An RGBA w x h image blending through (position 0..1, rgb) stops from top to bottom."""
    img = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        for i in range(len(stops) - 1):
            p0, c0 = stops[i]
            p1, c1 = stops[i + 1]
            if p0 <= t <= p1:
                c = mix(c0, c1, (t - p0) / max(1e-9, p1 - p0))
                break
        else:
            c = stops[-1][1]
        d.line([(0, y), (w, y)], fill=rgba(c))
    return img


def palette_card(img):
    """An opaque full-screen card in 256 palette colours: a quarter of the pixel bytes to inflate
    when the game starts, and the few colours of a flat card need no more."""
    return img.convert("RGB").quantize(256, method=Image.Quantize.MEDIANCUT,
                                       dither=Image.Dither.NONE)


def palette_strip(img):
    """A soft see-through picture of few hues in 256 palette colours with alpha: a fifth of the
    bytes of full RGBA, off by less than one step per channel on average."""
    return img.convert("RGBA").quantize(256, method=Image.Quantize.FASTOCTREE,
                                        dither=Image.Dither.NONE)


def save(img, root, name):
    """Write name + '.png' under root with no metadata, so reruns give identical bytes."""
    path = os.path.join(root, name + ".png")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, format="PNG", optimize=True)
    return path


class Registry:
    """Collects every written sprite with its description for the asset table."""

    def __init__(self, root):
        self.root = root
        self.rows = []

    def add(self, name, img, what, sheet=None):
        save(img, self.root, name)
        self.rows.append((name, img.size[0], img.size[1], what, sheet))

    def table(self):
        lines = ["| File | Size (px) | Cells (cols x rows) | What it shows |",
                 "|---|---|---|---|"]
        for name, w, h, what, sheet in self.rows:
            lines.append(f"| `{name}.png` | {w} x {h} | {sheet or '1 x 1'} | {what} |")
        return "\n".join(lines) + "\n"
