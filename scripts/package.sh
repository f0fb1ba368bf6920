#!/usr/bin/env bash
# package.sh: builds the Debian package: installs what building it needs, configures a Release
# build in BUILD_DIR (./build-package by default) with Debian's hardening flags, builds the
# program, its manual page and changelog, and packs them with CPack. Prints the package's path.
# The same sources give the same bytes, wherever and whenever they are built (see
# scripts/check-reproducible.sh).
#   scripts/package.sh [BUILD_DIR]     then: scripts/install-package.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m -- "${1:-$root/build-package}")
cd "$root"
scripts/install-deps.sh build package

# Every time that goes into the package is the newest changelog entry's: the archive members'
# (CPack), the icons' in the program's resources (rcc) and the manual page's date (help2man).
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)}
export SOURCE_DATE_EPOCH
# The modes of the installed files and of the folders CPack makes follow the umask.
umask 022

# Every hardening feature Debian 12 has: fortify, stack protector, relro, bindnow and PIE. CMake
# reads no CPPFLAGS, so the preprocessor's flags (fortify) go in with the compiler's. Given on
# the command line rather than through the environment, so a build dir made earlier gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_BINDIR=games \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DVENNALOOP_BUILD_TESTS=OFF -DVENNALOOP_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

# One package in the build dir, so scripts/install-package.sh has no choice to make.
rm -f "$build"/vennaloop_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/vennaloop_*.deb
