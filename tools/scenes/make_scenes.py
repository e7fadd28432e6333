#!/usr/bin/env python3
"""Writes every scene of the game into assets/scenes/ (and the autopilot's routes for the
levels into tools/autopilot/routes/).

    python3 tools/scenes/make_scenes.py

The scene files are committed; run this after changing a menu or a level here. A changed
level needs its replay found again (tools/autopilot/README.md).
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from levels import all_levels  # noqa: E402
from menus import all_menus  # noqa: E402
from scenekit import write_scene  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))


def main():
    scenes = os.path.join(ROOT, "assets", "scenes")
    routes = os.path.join(ROOT, "tools", "autopilot", "routes")
    os.makedirs(scenes, exist_ok=True)
    os.makedirs(routes, exist_ok=True)
    for name, (title, roots) in all_menus().items():
        write_scene(scenes, name, title, roots)
    for level in all_levels():
        write_scene(scenes, f"level{level.number}", level.title(), level.roots())
        with open(os.path.join(routes, f"level{level.number}.route"), "w",
                  encoding="ascii", newline="\n") as f:
            f.write(level.route_text())


if __name__ == "__main__":
    main()
