#!/usr/bin/env bash
# install-package.sh: installs the package scripts/package.sh made, with apt-get so that the
# packages it depends on and recommends (the title's fonts) come along; as root directly, through
# sudo otherwise. Installing it again after a rebuild of the same version replaces it.
#   scripts/install-package.sh [BUILD_DIR]     (./build-package by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m -- "${1:-$root/build-package}")
cd "$root"
source scripts/install-deps.sh

shopt -s nullglob
debs=("$build"/vennaloop_*.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "$0: expected one package in $build/, found ${#debs[@]}: run scripts/package.sh first" >&2
  exit 1
fi
apt_install --reinstall "${debs[0]}"
