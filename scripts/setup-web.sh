#!/usr/bin/env bash
# Installs what the web build and its browser tests need, when it is missing: Emscripten, ffmpeg
# for the music, Chromium and node from Debian, and the tests' node packages as
# tests/web/package-lock.json pins them.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(emscripten ffmpeg chromium fonts-dejavu-core)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
# node and npm may come from elsewhere (a node that carries its own npm); Debian's otherwise.
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup-web: installing ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

tests=tests/web
if [ ! -d "$tests/node_modules" ] || [ "$tests/package-lock.json" -nt "$tests/node_modules" ]; then
    echo "setup-web: installing the browser tests' node packages"
    (cd "$tests" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
    touch "$tests/node_modules"
fi
