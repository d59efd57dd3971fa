#!/usr/bin/env bash
# Installs the Debian packages that the Windows build and its tests need, when they are missing:
# the MinGW-w64 cross compiler, GoogleTest's sources, NSIS for the installer, icoutils for the
# icon, and Wine with an X server and a sound server to run the programs on; with them what the
# native build needs (it makes the assets and the icon's pictures).
set -euo pipefail
cd "$(dirname "$0")/.."

exec scripts/setup.sh \
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 \
    googletest libstb-dev nsis icoutils \
    wine wine64 xvfb xauth xdotool x11-utils pulseaudio \
    python3
