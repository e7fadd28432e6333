#!/usr/bin/env bash
# Regenerates every sprite and sound under assets/ and the file table in assets/ASSETS.md,
# then checks that SDL2_image and SDL2_mixer decode all of them. Running it twice gives the
# same bytes.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tools/assets"
assets="$root/assets"

"$root/tools/install-deps.sh" python3-pil sox libsox-fmt-mp3 fonts-dejavu-core

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Both folders are wholly generated: start them afresh so a renamed picture leaves nothing behind.
rm -rf "$assets/sprites" "$assets/sounds"

echo "Drawing sprites"
# Debian's interpreter: the first python3 on PATH may be another one without Pillow.
PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$here/make_sprites.py" "$assets" "$work/sprites.md"

echo "Synthesising sounds"
"$here/make_sounds.sh" "$assets" "$work/sounds.md"

{
    cat "$here/ASSETS.intro.md"
    printf '\n## Sprites\n\n'
    cat "$work/sprites.md"
    printf '\n## Sounds\n\n'
    cat "$work/sounds.md"
} >"$assets/ASSETS.md"

echo "Checking that every file decodes"
g++ -std=c++20 -O1 -Wall -Wextra -Werror "$here/check_assets.cpp" -o "$work/check_assets" \
    $(pkg-config --cflags --libs sdl2 SDL2_image SDL2_mixer)
SDL_AUDIODRIVER=dummy "$work/check_assets" "$assets" >"$work/check.log" || {
    cat "$work/check.log"
    exit 1
}
tail -n 1 "$work/check.log"
