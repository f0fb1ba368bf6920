#!/usr/bin/env bash
# Installs what is missing, builds the Windows program in ./build-windows and runs its tests
# under Wine, each in a fresh prefix of its own: the core's whole suite and the front end's own
# as Windows programs, the real window under Xvfb (title, growth, the three dialogs, S, the
# colours of the game area), and the installer, installed and uninstalled silently.
set -euo pipefail
cd "$(dirname "$0")/.."
# The window test counts the colours of its screenshots with the native build's maze_shot_check.
scripts/install-deps.sh build test windows
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j "$(nproc)" --target maze_shot_check
export VENNALOOP_SHOT_CHECK=$PWD/build/tests/desktop/maze_shot_check
scripts/build-windows.sh
scripts/package-windows.sh
ctest --test-dir build-windows --output-on-failure -j "$(nproc)"
