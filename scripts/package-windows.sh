#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and packs it twice in ./build-windows:
#   vennaloop-VERSION-windows-x64.zip   the program, LICENSE and README.txt with the keys
#   vennaloop-VERSION-setup.exe         an installer (NSIS) for Program Files with a Start-menu
#                                       shortcut and an uninstaller; /S installs silently
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh --target vennaloop_zip vennaloop_setup
version=$(sed -n 's/^project(Vennaloop VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for file in "vennaloop-$version-windows-x64.zip" "vennaloop-$version-setup.exe"; do
  echo "build-windows/$file: $(stat -c %s "build-windows/$file") bytes"
done
