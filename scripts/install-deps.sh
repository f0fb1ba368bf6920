#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and playing need, and nothing when all
# of them are there already. Runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev
  desktop-file-utils appstream file
  fonts-ipafont-mincho fonts-ipafont-gothic fonts-urw-base35 fonts-dejavu-core
  clang libclang-rt-14-dev
)

# The browser front end: Emscripten, Chromium for its tests, fontTools (with Brotli for WOFF2) to
# cut its fonts, and Node with npm where no Node is installed.
packages+=(emscripten chromium python3-fonttools python3-brotli)
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
