#!/usr/bin/env bash
# Sets up the machine and builds the page into build-web/site/: index.html, its script and style,
# the poster, banner.js and banner.wasm, the music compressed for browsers, the show as a video,
# the tests' program (banner-test.*) and compressed copies (.br, .gz) of the text files.
# The backdrop picture and the music come from a native build's generators, the poster and the
# video from its capture tool, in build/ (or the directory named by BANNER_NATIVE_BUILD), which
# is made first when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
native="${BANNER_NATIVE_BUILD:-build}"
out="build-web"

scripts/setup.sh
scripts/setup-web.sh
capture="$native/tools/capture/banner_capture"
if [ ! -f "$native/assets/backdrop.png" ] || [ ! -f "$native/assets/music.pcm" ] ||
   [ ! -x "$capture" ]; then
    cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$native" -j "$(nproc)" --target banner_assets banner_capture
fi

# Debian's emcc finds its JavaScript modules only through NODE_PATH.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
assets="$(cd "$native/assets" && pwd)"
emcmake cmake -S . -B "$out/cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBANNER_GENERATED_ASSETS="$assets" -DBANNER_CAPTURE="$(cd "$(dirname "$capture")" && pwd)/banner_capture" \
    -DBANNER_SITE_DIR="$(pwd)/$out/site" >/dev/null
cmake --build "$out/cmake" -j "$(nproc)"
echo "build-web: the page is in $out/site ($(du -sh "$out/site" | cut -f1))"
