#!/usr/bin/env bash
# Installs what is missing and builds the Windows program with Debian's MinGW-w64 in
# ./build-windows: build-windows/vennaloop.exe, one file that needs only the DLLs Windows ships,
# and the test suites as Windows programs. Arguments go to cmake --build (--target NAME...);
# VENNALOOP_SHOT_CHECK names the native maze_shot_check for the window test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
options=(-DCMAKE_BUILD_TYPE=Release)
# The toolchain is taken once, when the build folder is made.
[ -f build-windows/CMakeCache.txt ] ||
  options+=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake")
[ -n "${VENNALOOP_SHOT_CHECK:-}" ] && options+=(-DVENNALOOP_SHOT_CHECK="$VENNALOOP_SHOT_CHECK")
cmake -S . -B build-windows "${options[@]}" >/dev/null
cmake --build build-windows -j "$(nproc)" "$@"
