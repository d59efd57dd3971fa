#!/usr/bin/env bash
# Sets up the machine and builds everything into build/ (or the directory given as $1).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
shift || true
scripts/setup.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
