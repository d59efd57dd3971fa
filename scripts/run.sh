#!/usr/bin/env bash
# Sets up the machine, builds the programs and plays the show.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
exec build/app/banner
