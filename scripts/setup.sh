#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, when they are missing,
# and any more named as arguments (scripts/package.sh adds its own).
set -euo pipefail

packages=(
    build-essential cmake g++ pkg-config
    libsdl2-dev libstb-dev
    libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0
    libgtest-dev libgmock-dev
    xvfb xauth xdotool x11-utils xfonts-base
    ffmpeg
    help2man file python3 desktop-file-utils appstream man-db
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
