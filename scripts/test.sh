#!/usr/bin/env bash
# Installs what is missing, builds everything in ./build (the browser front end in ./build-web)
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build play package test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
ctest --test-dir build --output-on-failure -j "$(nproc)"
# The fonts once more where the faces' names are Japanese: Japanese players come first.
LC_ALL=ja_JP.UTF-8 ctest --test-dir build --output-on-failure -j "$(nproc)" -R 'FontTest\.'
# The same core in the browser: its suite as WebAssembly, and the page in headless Chromium.
scripts/test-web.sh
# The same core on Windows, under Wine: its suite, the program's window and its installer.
scripts/test-windows.sh
