#!/usr/bin/env bash
# Sets up the machine and cross-compiles the Windows programs into build-windows/ (or the
# directory given as $1): banner.exe, banner_alt.exe, banner_capture.exe, the tests, and the
# downloads banner-<version>-setup.exe and banner-windows.zip. The backdrop picture, the music
# and the icon come from a native build (the build in $BANNER_NATIVE_BUILD, by default build/,
# made here if missing).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-windows}"
native_dir="${BANNER_NATIVE_BUILD:-build}"
jobs="$(nproc)"

scripts/setup.sh
scripts/setup-windows.sh

if [ ! -f "$native_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$native_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$native_dir" -j "$jobs" --target banner_assets banner_icons
native_dir="$(cd "$native_dir" && pwd)"

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DBANNER_GENERATED_ASSETS="$native_dir/assets" -DBANNER_NATIVE_BUILD="$native_dir" >/dev/null
cmake --build "$build_dir" -j "$jobs"
