#!/usr/bin/env bash
# Sets up the machine, builds the programs with Debian's hardening flags into build-package/ and
# makes the Debian package there, build-package/banner_<version>_amd64.deb, which lintian must
# pass without an error or a warning.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-package

scripts/setup.sh lintian
# The flags Debian builds its own packages with, every hardening feature on.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBANNER_TESTS=OFF \
    "-DCMAKE_C_FLAGS=$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
rm -f "$build_dir"/banner_*.deb
(cd "$build_dir" && cpack -G DEB)
deb="$(ls "$build_dir"/banner_*_amd64.deb)"

# lintian refuses nothing as root but says so; its findings are what counts.
lintian --fail-on error,warning --pedantic "$deb" 2> >(grep -v "running with root privileges" >&2)
echo "package: $deb"
