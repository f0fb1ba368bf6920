#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, configures a Release build in
# ./build-package, builds the program and packs it with CPack. Prints the package's path.
#   scripts/package.sh && sudo apt-get install ./build-package/vennaloop_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release \
  -DVENNALOOP_BUILD_TESTS=OFF -DVENNALOOP_BUILD_BENCH=OFF
cmake --build build-package --target vennaloop -j "$(nproc)"
(cd build-package && cpack -G DEB)
ls "$PWD"/build-package/vennaloop_*.deb
