#!/usr/bin/env bash
# Plays the page as a visitor sees it (muted autoplay, the real clock) in headless Chromium and
# prints its main thread's share of one core over the show, in its worst second and per phase.
# Builds the page first when build-web/site is missing. --runs N plays N shows (medians),
# --until S stops each at S seconds of show time, --alt plays banner_alt's framing.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-web/site/index.html ]; then
    scripts/build-web.sh
fi
scripts/setup-web.sh
BANNER_SITE_DIR="$(pwd)/build-web/site" exec node tests/web/play_cost.js "$@"
