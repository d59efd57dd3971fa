#!/usr/bin/env bash
# Sets up the machine, builds everything (the programs, and the web page into build-web/site) and
# runs every test: once in a normal build, the browser tests included, then the Windows programs
# under Wine, then the unit, reliability and end-to-end tests again in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, where any report fails the run.
# BANNER_SKIP_WINDOWS=1 skips the Windows part, BANNER_SKIP_SANITIZERS=1 the sanitizer pass (for
# a quick local run).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

scripts/build.sh build
scripts/build-web.sh
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${BANNER_SKIP_WINDOWS:-0}" != "1" ]; then
    # The Windows programs, cross-built with build/'s assets, tested under Wine in a session of
    # their own (Wine prefix, X display, audio sink), against build/'s capture tool too.
    scripts/build-windows.sh build-windows
    tests/windows/wine_session.sh ctest --test-dir build-windows --output-on-failure -j "$jobs"
fi

if [ "${BANNER_SKIP_SANITIZERS:-0}" = "1" ]; then
    exit 0
fi
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
# With Mesa's on-disk shader cache on, LeakSanitizer's exit check crashed (signal 11 in the thread
# that stops the others) in GL tests run by ctest; without the cache it has not.
export MESA_SHADER_CACHE_DISABLE=true
export LSAN_OPTIONS="print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
scripts/build.sh build-asan -DBANNER_SANITIZE=ON
ctest --test-dir build-asan --output-on-failure -j "$jobs" -L "unit|gl|reliability|sanitize|e2e" -LE show
