#!/usr/bin/env bash
# Installs what the web build and its browser tests need, when it is missing: Emscripten, ffmpeg
# for the music and the poster, brotli for the compressed copies, Chromium and node from Debian, and the tests' node packages as
# tests/web/package-lock.json pins them.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(emscripten ffmpeg brotli gzip chromium fonts-dejavu-core)
# node and npm may come from elsewhere (a node that carries its own npm); Debian's otherwise.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
# With them what the native build needs (it makes the assets).
scripts/setup.sh "${packages[@]}"

tests=tests/web
if [ ! -d "$tests/node_modules" ] || [ "$tests/package-lock.json" -nt "$tests/node_modules" ]; then
    echo "setup-web: installing the browser tests' node packages"
    (cd "$tests" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
    touch "$tests/node_modules"
fi
