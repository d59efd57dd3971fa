#!/usr/bin/env bash
# Plays the whole show in the page's benchmark (index.html?bench) in headless Chromium and prints
# the time to render a frame per phase, the start-up to the first frame and the page's transfer
# size. Builds the page first when build-web/site is missing. --alt plays banner_alt's framing,
# --until S stops at S seconds of show time.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-web/site/index.html ]; then
    scripts/build-web.sh
fi
scripts/setup-web.sh
BANNER_SITE_DIR="$(pwd)/build-web/site" exec node tests/web/bench.js "$@"
