"""The splash screens and the menu scenes."""

from scenekit import (Ent, button, button_sound_player, camera_canvas, color, dim_behind,
                      escape_back, image, label, link, menu_cursor, screen_canvas,
                      volume_controls)

# Far out of sight: where hidden windows wait until a button brings them to the anchor at
# the centre.
HIDDEN = (100000000, 100000000)

# Dim tint for a star picture that is not found yet; StarFound turns it white.
STAR_DIM = color(0.3, 0.3, 0.38, 0.55)


def backdrop(tint=None):
    e = Ent("Backdrop", comment="Menu backdrop")
    screen_canvas(e)
    image(e, "sprites/backgrounds/menu", 1600, 900, tint=tint)
    return e


def heading(sprite, y=340):
    e = Ent("Heading", t=(0, y))
    image(e, sprite, 800, 120)
    return e


def splash_card(sprite, next_scene, duration):
    """A full-screen card that fades in and out over black, then moves on (any key or click
    after half a second skips it)."""
    card = Ent("Card", comment="Full-screen card, faded in and out over the black background")
    screen_canvas(card)
    image(card, sprite, 1600, 900, tint=color(1, 1, 1, 0))
    card.add("SplashFader", fadeInStart=0.2, fadeInEnd=0.8, fadeOutStart=duration - 0.6,
             fadeOutEnd=duration - 0.1)
    card.add("SplashScript", nextScene=next_scene, duration=duration)
    return card


def splash():
    return [splash_card("sprites/splash/vela", "scenes/splash2", 3.0), music_player()]


def music_player():
    """Starts with the first card and plays all game long: the menu music, crossfading to a
    level's own music and back."""
    music = Ent("Music", comment="The game's music player; lives through every scene change")
    music.add("DontDestroyOnLoad")
    music.add("MusicPlayer", track="sounds/music/menu", volume=0.6, crossfade=1.5)
    return music


def splash2():
    return [splash_card("sprites/splash/studio", "scenes/menu", 3.0)]


def main_menu():
    ui = Ent("UI", comment="Title and the five main buttons")
    screen_canvas(ui)
    logo = ui.child(Ent("Logo", t=(0, 250)))
    image(logo, "sprites/ui/logo", 900, 280)
    ui.child(button("PlayButton", "sprites/buttons/play", 320, 90, (0, 40),
                    link("scenes/levelselect")))
    ui.child(button("SkinsButton", "sprites/buttons/skins", 320, 90, (0, -60),
                    link("scenes/skins")))
    ui.child(button("OptionsButton", "sprites/buttons/options", 320, 90, (0, -160),
                    link("scenes/options")))
    ui.child(button("CreditsButton", "sprites/buttons/credits", 320, 90, (0, -260),
                    link("scenes/credits")))
    ui.child(button("QuitButton", "sprites/buttons/quit", 320, 90, (0, -360),
                    ("QuitGame", {})))
    return [backdrop(), ui, button_sound_player(), menu_cursor()]


# Level selection grid: two rows of four.
LEVEL_SLOTS = [(-450, 120), (-150, 120), (150, 120), (450, 120),
               (-450, -150), (-150, -150), (150, -150), (450, -150)]


def level_select():
    ui = Ent("UI", comment="Level grid: padlocks, the real buttons that replace them once "
                           "unlocked, and the stars found per level")
    screen_canvas(ui)
    ui.child(heading("sprites/ui/heading_levels"))
    selector = ui.child(Ent("LevelSelector"))
    fields = {}
    for n, (x, y) in enumerate(LEVEL_SLOTS, start=1):
        fields[f"Level{n}Button"] = f"Level{n}Button"
        fields[f"Level{n}Place"] = f"Level{n}Place"
    selector.add("LevelSelect", **fields)
    for n, (x, y) in enumerate(LEVEL_SLOTS, start=1):
        place = ui.child(Ent(f"Level{n}Place", t=(x, y)))
        image(place, "sprites/buttons/levellocked", 120, 120)
        lock(place)
        # Locked levels keep their buttons out of sight; the selector moves them in.
        ui.child(button(f"Level{n}Button", f"sprites/buttons/level{n}", 120, 120,
                        (x, HIDDEN[1]), link(f"scenes/level{n}")))
        for k in (1, 2, 3):
            star = ui.child(Ent(f"Level{n}Star{k}", t=(x + (k - 2) * 40, y - 90)))
            image(star, "sprites/ui/starslot_found", 36, 36, tint=STAR_DIM)
            star.add("StarFound", id=f"{n}_{k}")
    ui.kids(level_progress())
    ui.child(button("BackButton", "sprites/buttons/back", 320, 90, (0, -360),
                    link("scenes/menu")))
    return [backdrop(), ui, button_sound_player(), menu_cursor(), escape_back()]


def lock(place):
    """A padlock answers a click: a refusal sound and a shake."""
    place.add("RectCollider", w=120, h=120)
    place.add("Button")
    place.add("AudioSource", volume=0.8)
    place.add("LockedLevel")


def level_progress():
    """Under each level its best time; on its button's corner a tick once it is finished."""
    out = []
    for n, (x, y) in enumerate(LEVEL_SLOTS, start=1):
        best = Ent(f"Level{n}Progress", t=(x, y - 132))
        label(best, "", 26)
        best.add("LevelProgress", level=n)
        done = best.child(Ent(f"Level{n}Done", t=(50, 182)))
        image(done, "sprites/ui/levelfinished", 48, 48)
        out.append(best)
    return out


def skins():
    ui = Ent("UI", comment="Skin preview between its two arrows")
    screen_canvas(ui)
    ui.child(heading("sprites/ui/heading_skins"))
    preview = ui.child(Ent("SkinPreview", t=(0, 60)))
    image(preview, "sprites/gameplay/entities/ball1", 192, 96)
    preview.add("PlaneSkinSelect", firstSkin=1, lastSkin=4, prevSkin="SkinPrev",
                nextSkin="SkinNext")
    ui.child(button("SkinPrev", "sprites/buttons/skinprev", 96, 96, (-260, 60)))
    ui.child(button("SkinNext", "sprites/buttons/skinnext", 96, 96, (260, 60)))
    ui.kids(skin_captions())
    ui.child(button("BackButton", "sprites/buttons/back", 320, 90, (0, -330),
                    link("scenes/menu")))
    return [backdrop(), ui, button_sound_player(), menu_cursor(), escape_back()]


SKIN_NAMES = "Paper,Racer,Night,Hornet"


def skin_captions():
    """The shown skin's name and its place among the four."""
    name = Ent("SkinName", t=(0, -30))
    label(name, "", 44)
    name.add("SkinCaption", names=SKIN_NAMES, count="SkinCount")
    count = Ent("SkinCount", t=(0, -85))
    label(count, "", 28)
    return [name, count]


def window(name, sprite, w, h, children):
    """A hidden window: its own button swallows clicks that miss the buttons on it."""
    e = Ent(name, t=HIDDEN)
    image(e, sprite, w, h)
    e.add("RectCollider", w=w, h=h)
    e.add("Button")
    e.kids(children)
    return dim_behind(e)


def hide(window_name):
    return ("MoveEntity", {"src": window_name, "dst": "HiddenAnchor"})


def options():
    ui = Ent("UI", comment="Volume, full screen, ghost, data reset")
    screen_canvas(ui)
    ui.child(heading("sprites/ui/heading_options"))
    ui.kids(volume_controls(120))
    ui.child(button("FullscreenButton", "sprites/buttons/fullscreenoff", 380, 90, (0, 0),
                    ("FullscreenToggler", {})))
    ui.child(button("GhostButton", "sprites/buttons/ghoston", 380, 90, (0, -102),
                    ("GhostToggler", {})))
    ui.child(button("ResetButton", "sprites/buttons/resetdata", 320, 90, (0, -204),
                    ("MoveEntity", {"src": "ResetConfirmWindow", "dst": "ShownAnchor"})))
    ui.child(button("BackButton", "sprites/buttons/back", 320, 90, (0, -330),
                    link("scenes/menu")))
    ui.child(Ent("ShownAnchor", t=(0, 0)))
    ui.child(Ent("HiddenAnchor", t=HIDDEN))
    # The two dialogs cover the whole volume row and label, so nothing pokes out around them.
    ui.child(window("ResetConfirmWindow", "sprites/ui/window_resetconfirm", 800, 520, [
        button("ResetYes", "sprites/buttons/yes", 200, 84, (-130, -150), ("ResetData", {}),
               hide("ResetConfirmWindow")),
        button("ResetNo", "sprites/buttons/no", 200, 84, (130, -150),
               hide("ResetConfirmWindow")),
    ]))
    ui.child(window("DataResetWindow", "sprites/ui/window_resetdone", 800, 520, [
        button("ResetOk", "sprites/buttons/ok", 200, 84, (0, -150), hide("DataResetWindow")),
    ]))
    return [backdrop(), ui, button_sound_player(), menu_cursor(), escape_back()]


# The title and how to fly are on screen from the start, scrolling at 3.5 times the old pace.
CREDITS_START_Y = 480
CREDITS_SPEED = 70


def credits():
    ui = Ent("UI", comment="Credits scroll up, beginning with how to fly; Space speeds them up")
    screen_canvas(ui)
    # The first lines are on screen at once; after a loop they come up from below.
    scroller = ui.child(Ent("CreditsScroll", t=(0, CREDITS_START_Y)))
    scroller.add("CreditsScroller", speed=CREDITS_SPEED)
    text = scroller.child(Ent("CreditsText", t=(0, -1625)))
    image(text, "sprites/ui/credits", 1000, 3250)
    ui.child(button("BackButton", "sprites/buttons/back", 320, 90, (-600, -390),
                    link("scenes/menu")))
    ui.child(space_hint())
    return [backdrop(tint=color(0.45, 0.5, 0.65)), ui, button_sound_player(), menu_cursor(),
            escape_back()]


def space_hint():
    # Opposite the Back button, clear of the credits' column.
    hint = Ent("SpaceHint", t=(640, -390))
    image(hint, "sprites/ui/credits_spacehint", 280, 90)
    return hint


def all_menus():
    return {
        "splash": ("Splash: engine card, then the studio card", splash()),
        "splash2": ("Splash: studio card, then the main menu", splash2()),
        "menu": ("Main menu", main_menu()),
        "levelselect": ("Level selection", level_select()),
        "skins": ("Plane skin selection", skins()),
        "options": ("Options: volume, full screen, data reset", options()),
        "credits": ("Credits", credits()),
    }


__all__ = ["all_menus", "HIDDEN", "STAR_DIM", "camera_canvas"]
