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
        f.write(scene_text(title, roots))
    return path


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
