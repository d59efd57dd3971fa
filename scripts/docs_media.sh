#!/usr/bin/env bash
# Makes the README's pictures of the show with the capture tool: docs/show.png, a contact sheet of
# moments across the show, and docs/preview.webp, four seconds of the gear wheels as a lossless
# animated WebP (every frame exactly as the tool wrote it). Run it again to refresh both.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh webp
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target banner_capture
capture=build/tools/capture/banner_capture
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p docs

"$capture" --at 15,19,25,35,67,75,85,110 --out "$work/sheet" --sheet docs/show.png

# Frames 475 to 574: 19 s to 23 s, 40 ms each.
"$capture" --frame "$(seq -s, 475 574)" --until 23 --out "$work/preview"
img2webp -loop 0 -lossless -d 40 "$work"/preview/*.png -o docs/preview.webp >/dev/null
size="$(stat -c %s docs/preview.webp)"
if [ "$size" -gt 1048576 ]; then
    echo "docs_media: docs/preview.webp is $size bytes, more than 1 MB" >&2
    exit 1
fi
echo "docs_media: docs/show.png $(stat -c %s docs/show.png) bytes," \
    "docs/preview.webp $size bytes"
