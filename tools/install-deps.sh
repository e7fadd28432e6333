#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need; does nothing when all
# are present. Uses sudo only when not already root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev libglew-dev libgl-dev
    libegl-mesa0 libgl1-mesa-dri fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev libbox2d-dev nlohmann-json3-dev
    desktop-file-utils python3
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
