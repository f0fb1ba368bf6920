#!/usr/bin/env bash
# install-deps.sh: installs the Debian 12 packages that the named tasks need, and nothing when all
# of them are there already. Runs apt-get directly as root, through sudo otherwise.
#   scripts/install-deps.sh TASK...    tasks: build play package test debian locale fuzz web
#                                             web-test windows
# Sourced, it only defines apt_install for other scripts.
set -euo pipefail

declare -A task_packages=(
  # Compiling the game: compiler, CMake, Qt (which brings its platform plugins).
  [build]="build-essential cmake qt6-base-dev"
  # Showing every text as drawn: the Japanese faces of the title and the dialogs, URW's C059;
  # and Qt's Wayland plugin, which a Wayland desktop session picks.
  [play]="fonts-ipafont-mincho fonts-ipafont-gothic fonts-urw-base35 fonts-dejavu-core
          qt6-wayland"
  # The Debian package: dpkg-buildflags and dpkg-shlibdeps, file for CPack, the manual page.
  [package]="dpkg-dev file help2man"
  # The tests: GoogleTest, Google Benchmark, the desktop file and AppStream validators,
  # lintian and hardening-check (in devscripts) for the package, a headless Weston for the
  # window on Wayland, and for it on X11 a virtual X server, xdotool to type into it and find
  # windows, and xlogo (x11-apps) as a window passing over the game; locales for the Japanese
  # locale the font tests run under once more (generated below).
  [test]="googletest libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream
          lintian devscripts weston xvfb xdotool x11-apps locales"
  # The source package: debhelper, dpkg-buildpackage, lintian and autopkgtest to judge it, and
  # xauth for xvfb-run in its play test; its build dependencies are those of build, play, package
  # and test.
  [debian]="debhelper dpkg-dev devscripts lintian autopkgtest xauth xz-utils"
  # The Japanese locale alone, for the reproducibility check's second build (generated below).
  [locale]="locales"
  # The fuzz target: clang and its libFuzzer runtime.
  [fuzz]="clang libclang-rt-14-dev"
  # The browser front end: CMake and Emscripten, fontTools (with Brotli for WOFF2) to cut its
  # fonts out of the faces the desktop uses; Node and npm are added below where no Node is
  # installed.
  [web]="cmake emscripten python3-fonttools python3-brotli
         fonts-ipafont-mincho fonts-ipafont-gothic fonts-urw-base35 fonts-dejavu-core"
  # Its tests: GoogleTest's sources for the WebAssembly suite, Chromium and Firefox ESR for the
  # page, and WebKitGTK's WebDriver with its MiniBrowser, which needs an X server: a virtual one.
  [web-test]="googletest chromium firefox-esr webkit2gtk-driver xvfb"
  # The Windows program: the native compiler for the key-help tool, CMake, the MinGW-w64 cross
  # compiler (posix threads), Python for its icon, GoogleTest's sources for its suite, Wine to
  # run both, NSIS for the installer, zip for the archive; for its window test a virtual X server
  # and xdotool (the screenshots' census comes from the native build's maze_shot_check).
  [windows]="build-essential cmake g++-mingw-w64-x86-64-posix python3 googletest wine wine64
             nsis zip xvfb xdotool"
)

# Sets as_root to what runs a command as root: nothing for root, sudo for anyone else.
root_prefix() {
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Installing needs root: run as root or install sudo" >&2
      return 1
    fi
    as_root=(sudo)
  fi
}

# Runs apt-get update, then apt-get install with the given options, packages and .deb files.
apt_install() {
  local as_root
  root_prefix
  "${as_root[@]}" apt-get update
  # Through env, since sudo clears the caller's environment.
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "$@"
}

main() {
  [ $# -gt 0 ] || { echo "usage: $0 TASK... (${!task_packages[*]})" >&2; exit 2; }
  local task p status missing=()
  for task in "$@"; do
    [ -n "${task_packages[$task]:-}" ] || { echo "$0: no task '$task'" >&2; exit 2; }
    for p in ${task_packages[$task]}; do
      status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
      [ "$status" = "install ok installed" ] || missing+=("$p")
    done
    # A Node from elsewhere serves as well as Debian's.
    if [ "$task" = web ]; then
      command -v node >/dev/null || missing+=(nodejs)
      command -v npm >/dev/null || missing+=(npm)
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt_install --no-install-recommends "${missing[@]}"
  fi
  [[ " $* " == *" test "* || " $* " == *" locale "* ]] && japanese_locale
  return 0
}

# The Japanese locale, enabled in /etc/locale.gen so that a later locale-gen keeps it.
japanese_locale() {
  [[ $(locale -a 2>/dev/null) =~ (^|$'\n')ja_JP\.(UTF|utf)-?8($'\n'|$) ]] && return 0
  local as_root
  root_prefix
  echo "Generating the ja_JP.UTF-8 locale"
  "${as_root[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'ja_JP.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then main "$@"; fi
