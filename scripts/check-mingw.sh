#!/usr/bin/env bash
# The core on Windows: builds the core and its tests with Debian's MinGW-w64 (GoogleTest
# from its sources in /usr/src/googletest, built by the same compiler) in a build folder
# of its own, and runs the tests under Wine, in a Wine prefix made for this run in a
# temporary folder and without a display.
#
# Usage: scripts/check-mingw.sh [BUILD_DIR]   (default: build-mingw/ beside this folder)
# QX260_WERROR=ON makes the core's warnings errors (./run-tests).
# Exits non-zero when the build or a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-mingw}
started=$(date +%s)

# -O2 as in the main build: GCC 12's -O3 warns falsely about std::string's operator+.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DQX260_CORE_ONLY=ON -DQX260_GTEST_SOURCE_DIR=/usr/src/googletest -DQX260_WERROR="${QX260_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)"

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or browser set-up
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineserver -p # one server for all the tests, not one started and stopped for each
wineboot --init >/dev/null 2>&1

ctest --test-dir "$build" -j"$(nproc)" --output-on-failure --timeout 600
# Each program is one ctest test; count the cases inside them as well.
log=$build/Testing/Temporary/LastTest.log
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' "$log" | awk '{ n += $1 } END { print n + 0 }')
skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below:$/\1/p' "$log" | awk '{ n += $1 } END { print n + 0 }')
echo "MinGW-w64 build of the core, its tests under Wine: ${passed:-0} test cases passed," \
    "${skipped:-0} skipped (POSIX file semantics), $(($(date +%s) - started)) s"
