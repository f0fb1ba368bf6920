#!/usr/bin/env bash
# Installs what is missing, builds the game in ./build and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target vennaloop -j "$(nproc)"
exec build/app/vennaloop
