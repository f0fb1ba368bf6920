#!/usr/bin/env bash
# Builds the game's libFuzzer target with clang in ./build-fuzz and runs it for a bounded time on
# a copy of the seed corpus (tests/fuzz/corpus stays as it is). Fails on any crash, leak,
# sanitizer report, timeout or oversized allocation; the input that did it is kept in
# build-fuzz/artifacts/ and replays with: build-fuzz/tests/fuzz/game_fuzz <that file>
# Usage: scripts/fuzz.sh [seconds, default 60]   (FUZZ_CXX picks another clang++)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build fuzz
seconds="${1:-60}"
cxx="$(command -v "${FUZZ_CXX:-clang++}")"

# CMake drops the options given with a changed compiler, so a build dir made with another one
# starts afresh.
cache=build-fuzz/CMakeCache.txt
if [ -f "$cache" ] && ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$cxx" "$cache"; then
  rm -rf "$cache" build-fuzz/CMakeFiles
fi
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
  -DVENNALOOP_FUZZ=ON -DVENNALOOP_BUILD_TESTS=OFF -DVENNALOOP_BUILD_BENCH=OFF -DVENNALOOP_BUILD_APP=OFF
cmake --build build-fuzz -j "$(nproc)" --target game_fuzz

corpus=build-fuzz/corpus
rm -rf "$corpus"
mkdir -p "$corpus" build-fuzz/artifacts
cp tests/fuzz/corpus/* "$corpus"/

# The target's largest real allocations are 4 MB pictures (the two buffers, the shadow and the
# screen); bigger window sizes are refused by the allocator before libFuzzer sees them, so a 64 MB
# malloc limit flags any size that slipped through and got memory.
build-fuzz/tests/fuzz/game_fuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -malloc_limit_mb=64 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ "$corpus"
