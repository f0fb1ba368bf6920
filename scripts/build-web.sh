#!/usr/bin/env bash
# Builds the browser front end with Emscripten in ./build-web: the page in build-web/site and
# the core's test suite compiled to WebAssembly. Used by play-web.sh, package-web.sh and
# test-web.sh after they have installed what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emcc runs its JavaScript tools with the Node modules Debian installs.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
  -DVENNALOOP_BUILD_APP=OFF -DVENNALOOP_BUILD_BENCH=OFF >/dev/null
cmake --build build-web -j "$(nproc)" "$@"
