"""Pieces of a level: the frame every level shares (sky, camera, windows, countdown, cursor
fan) and the things a level is built from (walls, pick-ups, hazards)."""

from scenekit import (Ent, button, button_sound_player, camera_canvas, color, dim_behind,
                      image, label, link, screen_canvas, volume_controls)

HIDDEN = (100000000, 100000000)
STAR_DIM = color(0.3, 0.3, 0.38, 0.55)

BLOCKS = "sprites/gameplay/blocks/"
ENTITIES = "sprites/gameplay/entities/"

FAN_CLIP = "\t".join([
    "0.15",
    "0", "Image", "sprite:sprites/gameplay/entities/fan_spin1",
    "0.05", "Image", "sprite:sprites/gameplay/entities/fan_spin2",
    "0.1", "Image", "sprite:sprites/gameplay/entities/fan_spin3",
])


# ------------------------------------------------------------------------------------------
# Solid pieces
# ------------------------------------------------------------------------------------------

def solid(name, sprite, x, y, w, h, r=0):
    e = Ent(name, t=(x, y), r=r)
    image(e, sprite, w, h)
    e.add("RectCollider", w=w, h=h)
    e.add("StaticBody2D")
    return e


def hwall(x0, x1, y, name="Wall"):
    """A horizontal beam 50 thick from x0 to x1: long pieces while 800 or more is left, then
    400-wide pieces, the last ones stretched or squeezed evenly to fit."""
    pieces = []
    length = x1 - x0
    assert length >= 150, (x0, x1)
    x = x0
    while x1 - x >= 800 and (x1 - x) % 400 == 0:
        pieces.append(solid(name, BLOCKS + "wall_long", x + 400, y, 800, 50))
        x += 800
    rest = x1 - x
    if rest > 0:
        count = max(1, round(rest / 400))
        step = rest / count
        for i in range(count):
            pieces.append(solid(name, BLOCKS + "wall_h", x + step * (i + 0.5), y, step, 50))
    return pieces


def vwall(x, y0, y1, name="Wall"):
    """A vertical beam 50 thick from y0 to y1; pieces of 400, the last one stretched or
    squeezed (to between 200 and 600) to fit."""
    pieces = []
    length = y1 - y0
    count = max(1, round(length / 400))
    step = length / count
    assert 200 <= step <= 600, (y0, y1)
    for i in range(count):
        pieces.append(solid(name, BLOCKS + "wall_v", x, y0 + step * (i + 0.5), 50, step))
    return pieces


def block(x, y, name="Block"):
    return solid(name, BLOCKS + "block", x, y, 100, 100)


def plank(x, y, name="Plank", r=0):
    return solid(name, BLOCKS + "plank", x, y, 200, 30, r)


EARTH = color(84 / 255, 62 / 255, 52 / 255)


def ground(x0, x1, y=-450):
    """Grass strips 1600 wide (the last one may be shorter) whose top is at y + 60, on deep
    earth so that the sky's hills never show below the ground."""
    earth = Ent("Earth", t=((x0 + x1) / 2, y - 60 - 600))
    earth.add("Image", w=x1 - x0 + 1600, h=1200, tint=EARTH)
    pieces = [earth]
    x = x0
    while x < x1:
        w = min(1600, x1 - x)
        pieces.append(solid("Ground", BLOCKS + "ground", x + w / 2, y, w, 120))
        x += w
    return pieces


# ------------------------------------------------------------------------------------------
# Pick-ups and goals
# ------------------------------------------------------------------------------------------

def star(x, y):
    e = Ent("InGameStar", t=(x, y))
    image(e, ENTITIES + "star", 64, 64)
    e.add("CircleCollider", radius=22)
    e.add("CoolTurn", speed=40)
    return e


def checkpoint(x, y):
    e = Ent("CheckPoint", t=(x, y))
    image(e, ENTITIES + "checkpoint", 64, 96)
    e.add("CircleCollider", radius=24)
    return e


def win_flag(x, y):
    e = Ent("WinFlag", t=(x, y))
    image(e, ENTITIES + "winflag", 80, 120)
    e.add("RectCollider", w=70, h=120)
    e.add("StaticBody2D")
    e.add("GameWin")
    return e


# ------------------------------------------------------------------------------------------
# Scenery
# ------------------------------------------------------------------------------------------

SIGNS = "sprites/gameplay/signs/"


def sign(kind, x, y):
    """A sign in the sky that the plane flies past: a picture only, nothing to hit. List
    signs before the level's other pieces so that everything else is drawn over them."""
    e = Ent("Sign" + kind.capitalize(), t=(x, y))
    image(e, SIGNS + "sign_" + kind, 460, 330)
    return e


# ------------------------------------------------------------------------------------------
# Hazards
# ------------------------------------------------------------------------------------------

def saw(name, a, b, start=None, spin=240, speed=None):
    """A spinning saw that patrols between its two waypoints, heading for A first, at `speed`
    units a second (the patrol's usual 100 when None)."""
    s = Ent(name, t=start if start is not None else b)
    image(s, ENTITIES + "saw", 100, 100)
    s.add("CircleCollider", radius=44)
    s.add("StaticBody2D")
    s.add("CoolTurn", speed=spin)
    s.add("Patrol", **({"speed": speed} if speed is not None else {}))
    return [s, Ent(name + " WPA", t=a), Ent(name + " WPB", t=b)]


def pendulum(name, x, y, rot_min, rot_max, speed_up, speed_down=None, start=0):
    """A spiked ball on an arm swinging about its pivot at (x, y)."""
    p = Ent(name, t=(x, y), r=start)
    image(p, ENTITIES + "pendulum", 100, 420)
    p.add("Pendulum", rotMin=rot_min, rotMax=rot_max, rotSpeedUp=speed_up,
          rotSpeedDown=speed_down if speed_down is not None else speed_up)
    ball = p.child(Ent(name + "Ball", t=(0, -162)))
    ball.add("CircleCollider", radius=40)
    ball.add("StaticBody2D")
    return [p]


def pendulum_under_hole(name, hx, slab_y, x0, x1, swing, speed, start=0, hole=90, side=-1,
                        offset=110):
    """A slab 50 thick from x0 to x1 at slab_y with a hole at hx, and a pendulum hung from
    the slab's underside `offset` beside the hole (left of it for side -1), whose ball sweeps
    under the hole once a swing (under its near half only when the offset is large)."""
    pieces = hwall(x0, hx - hole / 2, slab_y) + hwall(hx + hole / 2, x1, slab_y)
    pieces += pendulum(name, hx + side * offset, slab_y - 25, -swing, swing, speed, start=start)
    return pieces


def fades_with_distance(e, near, far):
    """The entity's sound is at its scene volume within `near` units of the plane and silent
    from `far` on."""
    e.add("SoundFalloff", near=near, far=far)
    return e


def hazard_fan(x, y, r):
    """A fixed fan blowing along its rotation (0 blows to the right)."""
    e = Ent("HazardFan", t=(x, y), r=r)
    image(e, ENTITIES + "hazardfan", 100, 100)
    e.add("ParticleSystem")
    e.add("HazardWind")
    e.add("CircleCollider", radius=40)
    e.add("StaticBody2D")
    e.add("AudioSource", audioClip="sounds/sfx/fanhum", volume=0.5, loop=True, playOnAwake=True,
          stopOnDestroy=True)
    return fades_with_distance(e, 120, 650)


def shot_timing(every, reach):
    """The cannon fields for a gentler cannon; none for the usual one."""
    fields = {}
    if every is not None:
        fields["fireEvery"] = every
    if reach is not None:
        fields["range"] = reach
    return fields


def cannon(x, y, angle, every=None, reach=None):
    """A fixed cannon; it has no collider of its own, so its balls leave it freely: mount it
    on a block."""
    e = Ent("Cannon", t=(x, y))
    image(e, ENTITIES + "cannon", 120, 120)
    e.add("AudioSource", audioClip="sounds/sfx/cannonshoot", volume=0.7)
    e.add("Cannon", angle=angle, **shot_timing(every, reach))
    return fades_with_distance(e, 250, 1100)


def auto_cannon(x, y, every=None, reach=None):
    e = Ent("AutoCannon", t=(x, y))
    image(e, ENTITIES + "autocannon", 120, 120)
    e.add("AudioSource", audioClip="sounds/sfx/cannonshoot", volume=0.7)
    e.add("AutoCannon", **shot_timing(every, reach))
    return fades_with_distance(e, 250, 1100)


# ------------------------------------------------------------------------------------------
# The frame every level shares
# ------------------------------------------------------------------------------------------

def sky(n):
    e = Ent("Sky", comment="Sky backdrop (gradient, sun or moon), fixed on screen")
    screen_canvas(e)
    image(e, f"sprites/backgrounds/sky{n}", 1600, 900)
    return e


# The sky's scenery strips, far to near: the share of the camera's motion each follows, and
# the rows of the 1600 x 900 sky it covers with the camera at the origin (as
# tools/assets/sprites_scenery.py draws them). Each strip is drawn over the whole screen
# width, which a software renderer pays for by the pixel: three is enough to show the motion.
SCENERY = [
    ("clouds_far", 0.1, 60, 470),
    ("hills_far", 0.25, 460, 900),
    ("hills_near", 0.5, 560, 900),
]


def scenery(n):
    """Clouds and hills sliding past at a share of the camera's speed, beneath the level, so
    that the flight shows even in open sky. Nothing here collides."""
    e = Ent("Scenery", comment="Clouds and hills moving at shares of the camera's speed")
    screen_canvas(e)
    for name, factor, top, bottom in SCENERY:
        layer = e.child(Ent(f"Scenery_{name}", t=(0, 450 - (top + bottom) / 2)))
        image(layer, f"sprites/backgrounds/sky{n}_{name}", 1600, bottom - top)
        if bottom == 900:
            # A strip down to the sky's bottom row stops rising there, so its lower edge
            # never shows, even from a camera fallen below the ground.
            layer.add("Parallax", factor=factor, maxY=layer.t[1])
        else:
            layer.add("Parallax", factor=factor)
    return e


PLANE_MASS = 3.5
PLANE_GRAVITY_SCALE = 1.25
PLANE_DRAG = 1.25


def camera(start):
    e = Ent("MainCamera", t=start, comment="Camera leading the plane a little")
    e.add("Camera")
    e.add("FollowPlane", planeFinder="Airplane")
    e.add("CameraShake", duration=0.45, strength=16)
    return e


def airplane(start):
    e = Ent("Airplane", t=start, comment="The player's plane: falls, pushed by the fan")
    image(e, ENTITIES + "ball1", 96, 48)
    e.add("CircleCollider", radius=18, material=(0.5, 0))
    # A heavy, draggy paper plane: held still, the cursor sets a speed rather than an
    # acceleration, and some 80 px of cursor distance keep it hovering (make hover-band).
    e.add("DynamicBody2D", mass=PLANE_MASS, gravityScale=PLANE_GRAVITY_SCALE,
          linearDrag=PLANE_DRAG)
    e.add("AudioSource", volume=0.8)
    e.add("PlaneRotator")
    e.add("RescueCue", cue="CheckpointCue", cueAt=(0, 300))
    return e


# The ghost: the plane's picture, pale blue and see-through, so it reads as a memory of a
# flight and never as a second plane to steer.
GHOST_TINT = color(0.7, 0.85, 1.0, 0.45)


def ghost(start):
    """The level's best flight flown again; it draws its picture only once a best exists."""
    e = Ent("Ghost", t=start, comment="The best flight's ghost, under the plane")
    e.add("Ghost", planeFinder="Airplane", w=96, h=48, tint=GHOST_TINT)
    return e


def world(pieces, start):
    w = Ent("World", comment="The level in camera space")
    camera_canvas(w)
    w.kids(pieces)
    w.child(ghost(start))
    w.child(airplane(start))
    w.child(Ent("CannonBallGroup"))
    w.child(Ent("CollisionFeedbackGroup"))
    return w


def game_manager(level):
    e = Ent("GameManager", comment="Level rules, records, Escape window, slow motion")
    e.add("GameManager", currentLevel=level)
    e.add("AudioSource", volume=0.9)
    e.add("TimeScale")
    return e


def countdown_digit(name, sprite, w, start):
    """Shown for its 1.5 s of the six-second countdown, then faded away."""
    e = Ent(name, t=(0, 230))
    image(e, sprite, w, 220, tint=color(1, 1, 1, 0))
    e.add("SplashFader", fadeInStart=start, fadeInEnd=start + 0.15, fadeOutStart=start + 1.2,
          fadeOutEnd=start + 1.5)
    return e


def countdown_hint():
    """Says what ends the countdown; it rides on "go", so it goes when the player's hold
    removes the digits, and otherwise fades out with the countdown's end."""
    e = Ent("CountdownHint", t=(0, -140))
    image(e, "sprites/ui/countdownhint", 760, 76, tint=color(1, 1, 1, 0))
    e.add("SplashFader", fadeInStart=0.0, fadeInEnd=0.3, fadeOutStart=5.7, fadeOutEnd=6.0)
    return e


def win_window(level, last_level):
    w = Ent("WinWindow", t=HIDDEN)
    image(w, "sprites/ui/window_win", 720, 560)
    for n, x in ((1, -120), (2, 0), (3, 120)):
        s = w.child(Ent(f"Star{n}", t=(x, 110)))
        image(s, "sprites/ui/starslot_found", 72, 72, tint=STAR_DIM)
    ribbon = w.child(Ent("newshortesttime", t=HIDDEN))
    image(ribbon, "sprites/ui/newshortesttime", 520, 110)
    w.kids(win_times(ribbon))
    nxt = "scenes/credits" if level == last_level else f"scenes/level{level + 1}"
    w.child(button("NextButton", "sprites/buttons/next", 320, 90, (0, -115), link(nxt)))
    w.child(button("RetryButton", "sprites/buttons/retry", 320, 90, (-170, -215),
                   link(f"scenes/level{level}")))
    w.child(button("LevelsButton", "sprites/buttons/levels", 320, 90, (170, -215),
                   link("scenes/levelselect")))
    return dim_behind(w)


INK = color(0.12, 0.16, 0.27)


def win_times(ribbon):
    """This flight's time, and on the same line as the new-best ribbon the best it did not
    beat; the level's HUD fills them in."""
    ribbon.s = (0.5, 0.5)
    flight = Ent("WinTime", t=(0, 48))
    label(flight, "", 34, fill=INK, shadow=None)
    best = Ent("WinBest", t=(0, 0))
    label(best, "", 28, fill=color(0.35, 0.4, 0.5), shadow=None)
    return [flight, best]


def lose_window(level):
    w = Ent("LoseWindow", t=HIDDEN)
    image(w, "sprites/ui/window_lose", 640, 360)
    # Two full-size buttons do not fit side by side: these are a little smaller.
    retry = w.child(button("RetryButton", "sprites/buttons/retry", 320, 90, (-145, -75),
                           link(f"scenes/level{level}")))
    levels = w.child(button("LevelsButton", "sprites/buttons/levels", 320, 90, (145, -75),
                            link("scenes/levelselect")))
    retry.s = levels.s = (0.85, 0.85)
    return dim_behind(w)


def options_window(level):
    """Shown while the level is paused; Resume ends the pause as Escape and P do."""
    w = Ent("OptionsWindow", t=HIDDEN)
    image(w, "sprites/ui/window_options", 720, 560)
    # Four full-size buttons do not fit under the hint: these are a little smaller.
    buttons = [
        button("ResumeButton", "sprites/buttons/resume", 320, 90, (0, 72), ("ResumeGame", {})),
        button("RetryButton", "sprites/buttons/retry", 320, 90, (0, -23),
               link(f"scenes/level{level}")),
        button("LevelsButton", "sprites/buttons/levels", 320, 90, (0, -118),
               link("scenes/levelselect")),
        button("MenuButton", "sprites/buttons/menu", 320, 90, (0, -213), link("scenes/menu")),
    ]
    for b in buttons:
        b.s = (0.9, 0.9)
        w.child(b)
    return dim_behind(pause_volume(w))


# The pause window grows by 200 (its picture is drawn 760 high) to fit the volume row over
# its buttons, which move down by 62.
PAUSE_WINDOW_H = 760
PAUSE_BUTTONS_DROP = 62


def pause_volume(w):
    """The options screen's volume label and row, in the pause window above its buttons."""
    for type_name, fields in w.components:
        if type_name == "Image":
            fields["h"] = PAUSE_WINDOW_H
    for b in w.children:
        b.t = (b.t[0], b.t[1] - PAUSE_BUTTONS_DROP)
    w.kids(volume_controls(120, scale=0.75))
    return w


def flight_hud(level, name):
    """The level's name, the stars found in this flight and the flight's time, along the top."""
    title = f"Level {level}: {name}" if name else f"Level {level}"
    info = Ent("FlightInfo", comment="The HUD's level name, stars and timer")
    info.add("LevelHud")
    info.child(label(Ent("HudLevel", t=(-770, 410)), title, 30, align="left"))
    for n, x in ((1, -46), (2, 0), (3, 46)):
        star = info.child(Ent(f"HudStar{n}", t=(x, 408)))
        image(star, "sprites/ui/starslot_found", 36, 36, tint=STAR_DIM)
    info.child(label(Ent("HudTime", t=(770, 410)), "0:00.00", 34, align="right"))
    return [info]


def hud(level, last_level, name=None):
    h = Ent("HUD", comment="Countdown, controls hint and the three windows, in screen space")
    screen_canvas(h)
    hint = h.child(Ent("PauseHint", t=(0, -420)))
    image(hint, "sprites/ui/pausehint", 1100, 44)
    h.kids(flight_hud(level, name))
    h.child(countdown_digit("g3", "sprites/ui/countdown3", 220, 0.0))
    h.child(countdown_digit("g2", "sprites/ui/countdown2", 220, 1.5))
    h.child(countdown_digit("g1", "sprites/ui/countdown1", 220, 3.0))
    go = h.child(countdown_digit("go", "sprites/ui/countdowngo", 380, 4.5))
    go.child(countdown_hint())
    # The win window comes first: its stars are the "Star1".."Star3" the game lights.
    h.child(win_window(level, last_level))
    h.child(lose_window(level))
    h.child(options_window(level))
    return h


def cursor_fan():
    e = Ent("CursorFan", comment="The player's fan: follows the mouse, blows while the left "
                                 "button is held")
    e.add("FollowCursor")
    image(e, ENTITIES + "fan", 80, 80)
    e.add("ParticleSystem")
    e.add("AudioSource", audioClip="sounds/sfx/wind", volume=0.5)
    e.add("Wind", loopSound="sounds/sfx/windloop", loopVolume=0.45, fadeIn=0.08, fadeOut=0.4)
    e.add("Animation", loop=True, clip=FAN_CLIP)
    return e


def level_music(sky_number):
    e = Ent("LevelMusic", comment="The music of this level's sky; the music player crossfades "
                                  "to it")
    e.add("SceneMusic", track=f"sounds/music/sky{sky_number}")
    return e


def checkpoint_cue():
    layer = Ent("CheckpointCueLayer", comment="\"Checkpoint!\", shown by the plane's RescueCue "
                                              "when the checkpoint saves it")
    screen_canvas(layer)
    cue = layer.child(Ent("CheckpointCue", t=HIDDEN))
    image(cue, "sprites/ui/checkpointcue", 560, 130)
    return layer


def level_scene(level, last_level, sky_number, start, pieces, name=None):
    # The scenery comes after the camera, so it is placed from this frame's camera, and
    # before the world, so it is drawn beneath it.
    return [sky(sky_number), camera(start), scenery(sky_number), world(pieces, start),
            game_manager(level), hud(level, last_level, name), checkpoint_cue(),
            button_sound_player(), cursor_fan(), level_music(sky_number)]


__all__ = ["level_scene", "hwall", "vwall", "block", "plank", "ground", "star", "checkpoint",
           "win_flag", "sign", "saw", "pendulum", "hazard_fan", "cannon", "auto_cannon", "solid",
           "link", "Ent"]
