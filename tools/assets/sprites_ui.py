"""Menus and HUD: buttons, windows, star slots, volume bar, countdown, headings, credits."""

import math

from PIL import Image

import sprites_gameplay
import sprites_signs
from spritekit import *  # noqa: F401,F403  (palette, folders and the drawing kit)

DEPTH = 8  # height of the coloured underside that makes buttons look pressable


# ------------------------------------------------------------------------------------------
# Buttons
# ------------------------------------------------------------------------------------------

def button_base(w, h, accent, face=PAPER, radius=22):
    """A paper face on a coloured underside, with an ink outline; returns the canvas and the
    face's centre line."""
    c = Canvas(w, h)
    m = 3  # margin for the shadow
    c.rect(m, m + DEPTH, w - m, h - m, rgba(accent), rgba(INK), 3, radius=radius)
    c.rect(m, m, w - m, h - m - DEPTH, rgba(face), rgba(INK), 3, radius=radius)
    c.rect(m + 8, m + 6, w - m - 8, m + 12, rgba(WHITE, 120), radius=3)
    return c, (h - DEPTH) / 2


def text_button(label, accent, w=320, h=90, size=40):
    c, cy = button_base(w, h, accent)
    c.text(w / 2, cy + 1, label, size, rgba(INK), max_width=w - 40)
    return c.final()


def icon_button(w, h, accent, draw_icon):
    c, cy = button_base(w, h, accent)
    draw_icon(c, w / 2, cy)
    return c.final()


def arrow_icon(direction):
    def draw(c, cx, cy):
        s = direction
        c.polygon([(cx - 14 * s, cy - 22), (cx + 18 * s, cy), (cx - 14 * s, cy + 22)],
                  rgba(SKY_DEEP), rgba(INK), 3)
    return draw


def speaker(c, cx, cy, color):
    c.polygon([(cx - 12, cy - 8), (cx - 4, cy - 8), (cx + 6, cy - 17), (cx + 6, cy + 17),
               (cx - 4, cy + 8), (cx - 12, cy + 8)], rgba(color), rgba(INK), 2)


def volume_icon(sign):
    def draw(c, cx, cy):
        speaker(c, cx - 14, cy, SKY_DEEP)
        c.line([(cx + 8, cy), (cx + 28, cy)], rgba(INK), 6, round_caps=False)
        if sign > 0:
            c.line([(cx + 18, cy - 10), (cx + 18, cy + 10)], rgba(INK), 6, round_caps=False)
    return draw


def toggle_button(label, on):
    w, h = 380, 90
    c, cy = button_base(w, h, SKY_DEEP)
    c.text(150, cy + 1, label, 34, rgba(INK), max_width=230)
    # a toggle pill: knob right and green when on, left and grey when off
    x0, x1 = 276, 352
    c.rect(x0, cy - 18, x1, cy + 18, rgba(MINT if on else LOCKED), rgba(INK), 2.5, radius=18)
    kx = x1 - 18 if on else x0 + 18
    c.circle(kx, cy, 14, rgba(PAPER), rgba(INK), 2.5)
    c.text((x0 + x1) / 2 + (-12 if on else 12), cy + 1, "ON" if on else "OFF", 15,
           rgba(WHITE if on else INK), max_width=36)
    return c.final()


def level_button(n):
    c, cy = button_base(120, 120, SUN_DEEP, face=(255, 236, 170), radius=24)
    c.text(60, cy + 2, str(n), 62, rgba(INK), stroke=0)
    return c.final()


def locked_button():
    c, cy = button_base(120, 120, LOCKED_DARK, face=LOCKED, radius=24)
    c.arc(60, cy - 10, 15, 180, 360, rgba(INK), 5)
    c.line([(45, cy - 10), (45, cy - 2)], rgba(INK), 5, round_caps=False)
    c.line([(75, cy - 10), (75, cy - 2)], rgba(INK), 5, round_caps=False)
    c.rect(38, cy - 4, 82, cy + 28, rgba(SUN), rgba(INK), 3, radius=5)
    c.circle(60, cy + 9, 4.5, rgba(INK))
    c.line([(60, cy + 10), (60, cy + 19)], rgba(INK), 3.5)
    return c.final()


TEXT_BUTTONS = [
    ("play", "Play", MINT, "Main menu: start (level selection)"),
    ("skins", "Skins", SUN_DEEP, "Main menu: plane skins"),
    ("options", "Options", SKY_DEEP, "Main menu: options"),
    ("credits", "Credits", SKY_DEEP, "Main menu: credits"),
    ("quit", "Quit", CORAL, "Main menu: quit the game"),
    ("back", "Back", SLATE, "Back to the previous menu"),
    ("retry", "Retry", SUN_DEEP, "Replay the level"),
    ("next", "Next", MINT, "Next level"),
    ("levels", "Levels", SKY_DEEP, "To the level selection"),
    ("resume", "Resume", MINT, "Close the pause window"),
    ("resetdata", "Reset data", CORAL, "Options: ask to erase all progress"),
    ("menu", "Menu", SLATE, "To the main menu"),
]

SMALL_BUTTONS = [
    ("yes", "Yes", CORAL, "Confirm (erase the data)"),
    ("no", "No", SLATE, "Cancel"),
    ("ok", "OK", MINT, "Close a notice"),
]


def make_buttons(reg):
    for name, label, accent, what in TEXT_BUTTONS:
        reg.add(f"{BUTTONS}{name}", text_button(label, accent), f"\"{label}\" button: {what}")
    for name, label, accent, what in SMALL_BUTTONS:
        reg.add(f"{BUTTONS}{name}", text_button(label, accent, w=200, h=84),
                f"\"{label}\" button: {what}")
    reg.add(f"{BUTTONS}volumedown", icon_button(110, 90, SKY_DEEP, volume_icon(-1)),
            "Volume down button (speaker and minus)")
    reg.add(f"{BUTTONS}volumeup", icon_button(110, 90, SKY_DEEP, volume_icon(1)),
            "Volume up button (speaker and plus)")
    reg.add(f"{BUTTONS}fullscreenon", toggle_button("Full screen", True),
            "\"Full screen\" button with its switch ON (shown while full screen)")
    reg.add(f"{BUTTONS}fullscreenoff", toggle_button("Full screen", False),
            "\"Full screen\" button with its switch OFF (shown while windowed)")
    reg.add(f"{BUTTONS}ghoston", toggle_button("Ghost", True),
            "\"Ghost\" button with its switch ON (levels show the best flight's ghost)")
    reg.add(f"{BUTTONS}ghostoff", toggle_button("Ghost", False),
            "\"Ghost\" button with its switch OFF (no ghost in the levels)")
    reg.add(f"{BUTTONS}skinprev", icon_button(96, 96, SKY_DEEP, arrow_icon(-1)),
            "Previous skin arrow")
    reg.add(f"{BUTTONS}skinnext", icon_button(96, 96, SKY_DEEP, arrow_icon(1)),
            "Next skin arrow")
    for n in range(1, 9):
        reg.add(f"{BUTTONS}level{n}", level_button(n), f"Level {n} button")
    reg.add(f"{BUTTONS}levellocked", locked_button(),
            "Locked level place-holder (padlock), same size as the level buttons")


# ------------------------------------------------------------------------------------------
# Windows and HUD pieces
# ------------------------------------------------------------------------------------------

SOCKET_SPACING = 120
SOCKET_SIZE = 72


def star_socket(c, cx, cy, size=SOCKET_SIZE):
    m = size / 72.0
    c.circle(cx, cy, 34 * m, rgba(PAPER_SHADE), rgba(INK_SOFT), 2)
    c.polygon(star_points(cx, cy + 2 * m, 26 * m, 11 * m), rgba(INK_SOFT, 70),
              rgba(INK_SOFT, 160), 2)


def window(w, h, title, accent, lines=(), sockets_y=None):
    c = Canvas(w, h)
    m = 10
    c.rect(m, m + 20, w - m, h - m, rgba(PAPER), rgba(INK), 4, radius=28)
    c.shadow(offset=(0, 6), blur=5, alpha=110)
    # title ribbon across the top edge
    c.rect(w / 2 - 230, m, w / 2 + 230, m + 76, rgba(accent), rgba(INK), 4, radius=20)
    c.text(w / 2, m + 39, title, 44, rgba(WHITE), stroke=3, stroke_fill=rgba(INK),
           max_width=420)
    y = m + 120
    for text, size in lines:
        c.text(w / 2, y, text, size, rgba(INK), path=FONT_REGULAR, max_width=w - 80)
        y += size * 1.5
    if sockets_y is not None:
        for i in (-1, 0, 1):
            star_socket(c, w / 2 + i * SOCKET_SPACING, sockets_y)
    return c.final()


def star_slot_found():
    c = Canvas(SOCKET_SIZE, SOCKET_SIZE)
    c.polygon(star_points(36, 38, 30, 13), rgba(GOLD), rgba(INK), 2.5)
    c.polygon(star_points(34, 36, 17, 7.5), rgba((255, 240, 150), 230))
    c.circle(27, 31, 3, rgba(WHITE))
    return c.final()


def level_finished_badge():
    """A mint disc with a paper tick, for the corner of a finished level's button."""
    c = Canvas(48, 48)
    c.circle(24, 25, 20, rgba(MINT), rgba(INK), 2.5)
    c.line([(14, 25), (21, 32), (34, 17)], rgba(PAPER), 5.5)
    c.shadow(offset=(0, 2), blur=1.2, alpha=70)
    return c.final()


def star_slot_empty():
    c = Canvas(SOCKET_SIZE, SOCKET_SIZE)
    star_socket(c, 36, 36)
    return c.final()


def volume_track():
    w, h = 440, 28
    c = Canvas(w, h)
    c.rect(2, 4, w - 2, h - 4, rgba(PAPER_SHADE), rgba(INK), 2.5, radius=10)
    for i in range(11):
        x = 20 + i * (w - 40) / 10
        c.line([(x, 10), (x, h - 10)], rgba(INK_SOFT, 140), 2, round_caps=False)
    return c.final()


def volume_knob():
    c = Canvas(40, 56)
    c.rect(4, 4, 36, 52, rgba(SKY_DEEP), rgba(INK), 2.5, radius=10)
    c.rect(8, 8, 32, 44, rgba(PAPER), None, radius=7)
    for y in (20, 28, 36):
        c.line([(14, y), (26, y)], rgba(INK_SOFT), 2)
    c.shadow(offset=(0, 2), blur=1.5, alpha=80)
    return c.final()


def big_word(w, h, text, size, fill, stroke=8):
    c = Canvas(w, h)
    c.text(w / 2, h / 2, text, size, rgba(fill), stroke=stroke, stroke_fill=rgba(INK),
           max_width=w - 30)
    c.shadow(offset=(0, 5), blur=3, alpha=100)
    return c.final()


def shortest_time_badge():
    w, h = 520, 110
    c = Canvas(w, h)
    c.polygon([(10, 30), (60, 30), (60, 96), (10, 96), (30, 63)], rgba(GOLD_DEEP), rgba(INK), 3)
    c.polygon([(w - 10, 30), (w - 60, 30), (w - 60, 96), (w - 10, 96), (w - 30, 63)],
              rgba(GOLD_DEEP), rgba(INK), 3)
    c.rect(40, 14, w - 40, 88, rgba(GOLD), rgba(INK), 4, radius=14)
    c.text(w / 2, 52, "New shortest time!", 40, rgba(INK), max_width=w - 110)
    c.shadow(offset=(0, 4), blur=3, alpha=90)
    return c.final()


def pause_hint():
    w, h = 1100, 44
    c = Canvas(w, h)
    c.rect(0, 0, w, h, rgba(INK, 170), radius=22)
    c.text(w / 2, h / 2 + 1, "Hold left mouse: blow     Right mouse: slow motion     "
           "P or Esc: pause", 24, rgba(PAPER), max_width=w - 40)
    return c.final()


def countdown_hint():
    """Under the countdown digits: holding the button is what starts the flight."""
    w, h = 760, 76
    c = Canvas(w, h)
    c.rect(0, 0, w, h, rgba(INK, 185), radius=38)
    sprites_signs.mouse(c, 62, h / 2 + 7, True, 0.56)
    c.text(w / 2 + 34, h / 2 + 1, "Hold the left button to launch", 38, rgba(PAPER),
           max_width=w - 140)
    return c.final()


def hint_card(w, h, lines, size=26):
    """Lines of light text on a dark rounded card, for hints that stay on screen."""
    c = Canvas(w, h)
    c.rect(0, 0, w, h, rgba(INK, 215), radius=22)
    step = h / (len(lines) + 1)
    for i, line in enumerate(lines, start=1):
        c.text(w / 2, step * i + 1, line, size, rgba(PAPER), max_width=w - 30)
    return c.final()


def make_windows(reg):
    reg.add(f"{UI}window_options", window(720, 760, "Paused", SKY_DEEP,
                                          [("Press Esc or P to fly on", 28)]),
            "In-level options / pause window")
    reg.add(f"{UI}window_win", window(720, 560, "Level complete!", MINT, [], 170),
            "Win window; three star sockets")
    reg.add(f"{UI}window_lose", window(640, 360, "Crashed!", CORAL,
                                       [("The plane hit something.", 30)]),
            "Lose window (the game puts it at (0, 250))")
    reg.add(f"{UI}window_resetconfirm",
            window(800, 520, "Reset data?", CORAL,
                   [("This erases unlocked levels, stars,", 28),
                    ("best time and settings.", 28)]),
            "Asks before erasing the records")
    reg.add(f"{UI}window_resetdone", window(800, 520, "Data reset", SLATE,
                                            [("All progress has been erased.", 30)]),
            "Shown after the records were erased (DataResetWindow)")
    reg.add(f"{UI}starslot_found", star_slot_found(), "Star slot, found: a gold star")
    reg.add(f"{UI}starslot_empty", star_slot_empty(), "Star slot, not found: an empty socket")
    reg.add(f"{UI}levelfinished", level_finished_badge(),
            "Finished level: a mint tick badge for the corner of its button")
    reg.add(f"{UI}volumebar_track", volume_track(), "Volume bar track with 11 ticks")
    reg.add(f"{UI}volumebar_knob", volume_knob(), "Volume bar knob (the VolBar entity)")
    for n in (3, 2, 1):
        reg.add(f"{UI}countdown{n}", big_word(220, 220, str(n), 190, SUN, 10),
                f"Countdown \"{n}\"")
    reg.add(f"{UI}countdowngo", big_word(380, 220, "GO!", 170, MINT, 10), "Countdown \"GO!\"")
    reg.add(f"{UI}countdownhint", countdown_hint(),
            "Line under the countdown: hold the left button to launch")
    reg.add(f"{UI}newshortesttime", shortest_time_badge(), "\"New shortest time!\" ribbon")
    reg.add(f"{UI}pausehint", pause_hint(), "Controls hint strip for levels")
    reg.add(f"{UI}credits_spacehint", hint_card(280, 90, ["Hold Space", "to scroll faster"]),
            "Hint beside the credits, shown from their start")


# ------------------------------------------------------------------------------------------
# Headings and credits
# ------------------------------------------------------------------------------------------

HEADINGS = [
    ("heading_levels", "Choose a level"),
    ("heading_skins", "Choose your plane"),
    ("heading_options", "Options"),
    ("heading_credits", "Credits"),
    ("label_volume", "Volume"),
]

# How to fly comes first: the credits are also where a new player looks for the controls.
CREDITS = [
    ("title", "Fleetwing"),
    ("line", "A paper plane, a fan and the wind"),
    ("gap", 50),
    ("head", "How to fly"),
    ("flying", None),
    ("line", "Hold the left mouse button: a fan appears"),
    ("line", "at the cursor and blows the plane away"),
    ("line", "Hold the right mouse button: slow motion"),
    ("line", "P or Esc: pause"),
    ("line", "Touch the green flag once for a second chance"),
    ("line", "and reach the chequered flag"),
    ("gap", 36),
    ("head", "Collect"),
    ("pickups", None),
    ("gap", 36),
    ("head", "Watch out for"),
    ("hazards", None),
    ("gap", 50),
    ("head", "Game design and programming"),
    ("line", "The Fleetwing team"),
    ("gap", 36),
    ("head", "Engine"),
    ("line", "Vela Engine, a small 2D component engine"),
    ("gap", 36),
    ("head", "Platform layer"),
    ("line", "Ember Engine on SDL2 and OpenGL"),
    ("gap", 36),
    ("head", "Art"),
    ("line", "Drawn by script with Pillow"),
    ("gap", 36),
    ("head", "Sound and music"),
    ("line", "Synthesised with SoX"),
    ("gap", 36),
    ("head", "Font"),
    ("line", "DejaVu Sans"),
    ("gap", 36),
    ("head", "Splash"),
    ("line", "Paperkite Studio"),
    ("gap", 50),
    ("head", "Meet the planes"),
    ("planes", None),
    ("gap", 60),
    ("title", "Thanks for playing!"),
]

CREDITS_W, CREDITS_H = 1000, 3250


def picture_row(c, y, pictures, labels=None, gap=40):
    """Paste pictures side by side centred on the credits canvas; returns the row's height."""
    total = sum(p.size[0] for p in pictures) + gap * (len(pictures) - 1)
    x = (CREDITS_W - total) / 2
    tallest = max(p.size[1] for p in pictures)
    for i, p in enumerate(pictures):
        big = p.resize((p.size[0] * c.ss, p.size[1] * c.ss), Image.NEAREST)
        top = y + (tallest - p.size[1]) / 2
        c.img.alpha_composite(big, (int(x * c.ss), int(top * c.ss)))
        if labels:
            c.text(x + p.size[0] / 2, y + tallest + 26, labels[i], 30, rgba(WHITE),
                   path=FONT_REGULAR, stroke=3, stroke_fill=rgba(INK))
        x += p.size[0] + gap
    return tallest + (60 if labels else 10)


def flying_pictures():
    """The fan blowing a gust at the plane, as in a level."""
    fan = sprites_gameplay.draw_fan(30, True, 4)
    fan = fan.resize((fan.size[0] * 2, fan.size[1] * 2), Image.LANCZOS)
    gusts = sprites_gameplay.draw_wind()
    gusts = gusts.resize((gusts.size[0] * 3, gusts.size[1] * 3), Image.LANCZOS)
    plane = sprites_gameplay.draw_plane(sprites_gameplay.PLANE_SKINS[1], 2)
    return [fan, gusts, gusts, plane], ["Your fan", "", "", "Your plane"], 30


def credits_pictures(kind):
    if kind == "flying":
        return flying_pictures()
    if kind == "planes":
        skins = sprites_gameplay.PLANE_SKINS
        return [sprites_gameplay.draw_plane(skins[n], 2) for n in sorted(skins)], \
            [skins[n]["name"] for n in sorted(skins)], 40
    if kind == "pickups":
        return [sprites_gameplay.draw_star(96), sprites_gameplay.draw_checkpoint(),
                sprites_gameplay.draw_win_flag()], ["Stars", "Checkpoint", "Goal"], 150
    return [sprites_gameplay.draw_saw(), sprites_gameplay.draw_spike_ball(),
            sprites_gameplay.draw_cannon(False), sprites_gameplay.draw_hazard_fan()], None, 50


def draw_credits():
    w, h = CREDITS_W, CREDITS_H
    c = Canvas(w, h, ss=2)
    y = 140
    for kind, value in CREDITS:
        if kind == "title":
            c.text(w / 2, y, value, 96, rgba(PAPER), stroke=7, stroke_fill=rgba(INK),
                   max_width=w - 40)
            y += 150
        elif kind == "head":
            c.text(w / 2, y, value, 50, rgba(SUN), stroke=5, stroke_fill=rgba(INK))
            y += 72
        elif kind == "line":
            c.text(w / 2, y, value, 38, rgba(WHITE), path=FONT_REGULAR, stroke=4,
                   stroke_fill=rgba(INK), max_width=w - 40)
            y += 54
        elif kind == "gap":
            y += value
        else:
            pictures, labels, gap = credits_pictures(kind)
            y += picture_row(c, y - 20, pictures, labels, gap)
    assert y < h - 60, f"credits text is taller than its picture ({y})"
    return c.final()


def make_texts(reg):
    for name, text in HEADINGS:
        size = 64 if name.startswith("heading") else 44
        h = 120 if name.startswith("heading") else 80
        w = 800 if name.startswith("heading") else 300
        reg.add(f"{UI}{name}", big_word(w, h, text, size, PAPER, 6), f"Heading \"{text}\"")
    reg.add(f"{UI}credits", draw_credits(),
            "Credits text, white on transparent; its top line sits 140 px below the top edge")


def make_cues(reg):
    reg.add(f"{UI}checkpointcue", big_word(560, 130, "Checkpoint!", 88, MINT, 8),
            "\"Checkpoint!\" cue shown when the checkpoint rescues the plane")


def make(reg):
    make_buttons(reg)
    make_windows(reg)
    make_texts(reg)
    make_cues(reg)
