#!/usr/bin/env bash
# Installs the Debian packages that the Windows build and its tests need, when they are missing:
# the MinGW-w64 cross compiler, GoogleTest's sources, and Wine with an X server and a sound
# server to run the programs on.
set -euo pipefail

packages=(
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    googletest libstb-dev
    wine wine64 xvfb xauth xdotool x11-utils pulseaudio
    python3
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

echo "setup-windows: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
