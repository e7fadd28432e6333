"""Building blocks for Fleetwing scene files.

An `Ent` is one entity: a name, its transform, its components (type name and fields, in
order) and its children. `write_scene` turns a list of root entities into the tab-indented
scene text the engine loads: one tab per tree level, the three transform lines under each
entity header, fields one level below their component.
"""

import os


def num(value):
    """A number as short text: 12 rather than 12.000000, 0.25 rather than 0.250000."""
    if isinstance(value, int):
        return str(value)
    text = f"{value:.4f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def vec(x, y):
    return f"{num(x)},{num(y)}"


def color(r, g, b, a=1.0):
    return ",".join(num(v) for v in (r, g, b, a))


def text(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, (int, float)):
        return num(value)
    if isinstance(value, tuple):
        return ",".join(num(v) for v in value)
    return str(value)


class Ent:
    def __init__(self, name, t=(0, 0), r=0, s=(1, 1), comment=None):
        self.name = name
        self.t = t
        self.r = r
        self.s = s
        self.comment = comment
        self.components = []
        self.children = []

    def add(self, type_name, **fields):
        self.components.append((type_name, fields))
        return self

    def child(self, entity):
        self.children.append(entity)
        return entity

    def kids(self, entities):
        for e in entities:
            self.children.append(e)
        return self


def _emit(entity, depth, out):
    pad = "\t" * depth
    if entity.comment:
        # A comment line must start with "/" before any tab, so it is never indented.
        out.append("")
        out.append(f"/ {entity.comment}")
    out.append(f"{pad}Entity\t{entity.name}")
    out.append(f"{pad}\tt\t{vec(*entity.t)}")
    out.append(f"{pad}\tr\t{num(entity.r)}")
    out.append(f"{pad}\ts\t{vec(*entity.s)}")
    for type_name, fields in entity.components:
        out.append(f"{pad}\t{type_name}")
        for key, value in fields.items():
            out.append(f"{pad}\t\t{key}\t{text(value)}")
    for child in entity.children:
        _emit(child, depth + 1, out)


def scene_text(title, roots):
    out = [f"/ {line}" if line else "/" for line in title.splitlines()]
    for root in roots:
        _emit(root, 0, out)
    return "\n".join(out) + "\n"


def write_scene(folder, name, title, roots):
    path = os.path.join(folder, name + ".scene")
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(scene_text(title, roots + [full_screen_key()]))
    return path


def full_screen_key():
    """F11 switches full screen in every screen; last, so nothing else moves in the tree."""
    return Ent("FullScreenKey", comment="F11 switches full screen on and off").add("FullScreenKey")


# ------------------------------------------------------------------------------------------
# Components that every scene uses in the same way
# ------------------------------------------------------------------------------------------

def image(entity, sprite, w, h, tint=None, flip_x=False):
    fields = {"Sprite": sprite, "w": w, "h": h}
    if tint is not None:
        fields["tint"] = tint
    if flip_x:
        fields["flipX"] = True
    return entity.add("Image", **fields)


INK_SHADOW = color(0.12, 0.16, 0.27, 0.85)


def label(entity, value, size, fill=color(1, 1, 1), align="center", shadow=INK_SHADOW):
    """A line of text drawn by the engine; `shadow` None draws none."""
    fields = {"text": value, "size": size, "color": fill, "align": align}
    if shadow is not None:
        fields["shadow"] = shadow
    return entity.add("Text", **fields)


def screen_canvas(entity):
    return entity.add("Canvas", renderMode="ScreenSpace")


def camera_canvas(entity):
    return entity.add("Canvas", renderMode="CameraSpace")


def button(name, sprite, w, h, t, *behaviours):
    """A clickable picture: the collider of the picture's size is its click area."""
    e = Ent(name, t=t)
    image(e, sprite, w, h)
    e.add("RectCollider", w=w, h=h)
    e.add("Button")
    answer_pointer(e)
    for type_name, fields in behaviours:
        e.add(type_name, **fields)
    return e


def link(scene):
    """Loads a scene on click; waits a frame so the click is heard before the change."""
    return ("LinkPlay", {"sceneName": scene, "waitOneFrame": True})


def button_sound_player():
    e = Ent("buttonsoundplayer", comment="Buttons play their click through this source")
    e.add("AudioSource", audioClip="sounds/sfx/menu", volume=0.8)
    return e


def menu_cursor():
    """The system cursor is hidden: menus draw their own arrow, last, above everything."""
    e = Ent("MenuCursor", comment="Arrow pointer that follows the mouse")
    e.add("FollowCursor")
    image(e, "sprites/ui/menucursor", 64, 64)
    return e


# ------------------------------------------------------------------------------------------
# Menus that answer: button looks, dimmed dialogs, Escape, the volume row
# ------------------------------------------------------------------------------------------

def answer_pointer(entity):
    """Hovered, a button brightens and grows a little; pressed, it darkens."""
    return entity.add("ButtonLook")


# Far larger than the screen, so that it covers it wherever a window is shown.
VEIL_W, VEIL_H = 6400, 3600
VEIL = color(0.03, 0.04, 0.1, 0.62)


def dim_behind(window):
    """A translucent veil drawn before the window's own picture dims the screen behind it,
    and the window's click area grows to the veil, so that it takes every click that misses
    the window's buttons."""
    window.components = [(t, f) for t, f in window.components
                         if t not in ("RectCollider", "Button")]
    window.components.insert(0, ("Image", {"w": VEIL_W, "h": VEIL_H, "tint": VEIL}))
    window.add("RectCollider", w=VEIL_W, h=VEIL_H)
    window.add("Button")
    return window


def escape_back(button_name="BackButton"):
    e = Ent("EscapeKey", comment="Escape presses the Back button")
    e.add("EscapeBack", button=button_name)
    return e


def volume_controls(y, scale=1.0):
    """The "Volume" label over its row: the lower button, the track with its knob "VolBar"
    (placed by VolumeChanger between "VolBarMin" and "VolBarMax"), the raise button."""
    s = scale
    label = Ent("VolumeLabel", t=(0, y + 90 * s), s=(s, s))
    image(label, "sprites/ui/label_volume", 300, 80)
    down = button("VolumeDown", "sprites/buttons/volumedown", 110, 90, (-300 * s, y),
                  ("VolumeChanger", {"volChangePerClick": -0.1}))
    track = Ent("VolumeTrack", t=(0, y), s=(s, s))
    image(track, "sprites/ui/volumebar_track", 440, 28)
    knob = Ent("VolBar", t=(0, y), s=(s, s))
    image(knob, "sprites/ui/volumebar_knob", 40, 56)
    up = button("VolumeUp", "sprites/buttons/volumeup", 110, 90, (300 * s, y),
                ("VolumeChanger", {"volChangePerClick": 0.1}))
    down.s = up.s = (s, s)
    return [label, down, track, Ent("VolBarMin", t=(-200 * s, y)),
            Ent("VolBarMax", t=(200 * s, y)), knob, up]
