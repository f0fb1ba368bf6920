#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and packs it twice in ./build-windows:
#   vennaloop-VERSION-windows-x64.zip   the program, its LICENSE, the licences of the runtime
#                                       code linked into it, and a README.txt with what Windows
#                                       it needs, the goal, the colours and the keys, made from
#                                       ui/'s key help
#   vennaloop-VERSION-setup.exe         an installer (NSIS) for Program Files with a Start-menu
#                                       shortcut and an uninstaller; /S installs silently
# The zip and the program are the same bytes wherever and whenever they are built (see
# scripts/check-reproducible.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package windows
# Every file time in the packages is the newest changelog entry's; the modes are the umask's.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)}
export SOURCE_DATE_EPOCH
umask 022
scripts/build-windows.sh --target vennaloop
version=$(sed -n 's/^project(Vennaloop VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The key help is printed by a tool of the build machine's own, built apart from the program.
cmake -S . -B build-windows/native -DCMAKE_BUILD_TYPE=Release -DVENNALOOP_BUILD_APP=OFF \
  -DVENNALOOP_BUILD_TESTS=OFF -DVENNALOOP_BUILD_BENCH=OFF >/dev/null
cmake --build build-windows/native -j "$(nproc)" --target vennaloop_help

# Windows' own line ends in the texts.
name=vennaloop-$version
stage=build-windows/package/$name
rm -rf build-windows/package && mkdir -p "$stage"
cp build-windows/vennaloop.exe "$stage/"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed 's/$/\r/' packaging/windows/runtime-licenses.txt >"$stage/RUNTIME-LICENSES.txt"
{
  echo "Vennaloop $version for 64-bit Windows 10 version 1607 or later, and Windows 11."
  echo
  build-windows/native/ui/vennaloop_help text
} | sed 's/$/\r/' >"$stage/README.txt"

# Zip keeps each file's time (in local time) and takes the folder's order: both are fixed here.
find build-windows/package -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
zip="build-windows/$name-windows-x64.zip"
rm -f "$zip"
(cd build-windows/package &&
   find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "../$name-windows-x64.zip")

# makensis reads paths from the script's folder: every one given is absolute. The script is UTF-8.
here=$PWD
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DEXE="$here/$stage/vennaloop.exe" \
  -DLICENSE="$here/$stage/LICENSE.txt" -DREADME="$here/$stage/README.txt" \
  -DNOTICES="$here/$stage/RUNTIME-LICENSES.txt" \
  -DICON="$here/build-windows/win/vennaloop.ico" -DOUTFILE="$here/build-windows/$name-setup.exe" \
  packaging/windows/installer.nsi
for file in "$zip" "build-windows/$name-setup.exe"; do
  echo "$file: $(stat -c %s "$file") bytes"
done
