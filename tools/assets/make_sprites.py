#!/usr/bin/python3
"""Draws every Fleetwing sprite under ASSETS_DIR and writes their table for ASSETS.md.

Usage: make_sprites.py ASSETS_DIR TABLE_FILE
Run with Debian's /usr/bin/python3 (Pillow from python3-pil). The output is the same byte for
byte on every run: no timestamps, fixed random seeds, the basic text layout engine.
"""

import sys

import sprites_gameplay
import sprites_scenery
import sprites_signs
import sprites_ui
from spritekit import Registry


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_sprites.py ASSETS_DIR TABLE_FILE")
    reg = Registry(sys.argv[1])
    sprites_gameplay.make(reg)
    sprites_scenery.make(reg)
    sprites_ui.make(reg)
    sprites_signs.make(reg)
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(reg.table())


if __name__ == "__main__":
    main()
