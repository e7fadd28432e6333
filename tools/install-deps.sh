#!/usr/bin/env bash
# Installs the Debian packages that building, playing, packaging and every test need, on a
# machine as bare as a minbase Debian 12 root; does nothing when all are present. Extra
# package names may follow (make targets name their own). As root it runs apt-get itself;
# otherwise through sudo when sudo works without asking, and else it prints the one command
# to run and stops before changing anything.
#   tools/install-deps.sh --list [EXTRA...]   prints the packages, one a line, and exits.
set -euo pipefail

packages=(
    # Building: compilers, make, CMake, Ninja, and git with the certificates to clone.
    build-essential cmake ninja-build pkg-config git ca-certificates
    # The game's libraries and the drivers it draws with (EGL offscreen, GLX on X servers).
    libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev libglew-dev libgl-dev
    libegl-mesa0 libglx-mesa0 libgl1-mesa-dri fonts-dejavu-core
    # Tests: the frameworks, a private X server for the full-screen tests, and what CPack
    # needs for the Debian package (it reads binaries with `file`).
    libgtest-dev libgmock-dev libbenchmark-dev libbox2d-dev nlohmann-json3-dev
    xvfb xauth file dpkg-dev desktop-file-utils appstream python3
    # The guard rails of CI: the format check and clang-tidy (with run-clang-tidy).
    clang-format clang-tidy
)
list_only=0
if [ "${1:-}" = "--list" ]; then
    list_only=1
    shift
fi
packages+=("$@")

if [ "$list_only" -eq 1 ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    # A sudo that would ask for a password (or refuse) must not stop a build half-way.
    if ! command -v sudo >/dev/null 2>&1 || ! sudo -n true >/dev/null 2>&1; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Cannot install them without root; as root, run:" >&2
        echo "    apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo -n)
fi
echo "Installing missing packages: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
