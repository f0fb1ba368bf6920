#!/usr/bin/env bash
# test-package.sh: judges the Debian package with Debian's own checkers: lintian with every tag
# shown, pedantic ones included, must have nothing to say, and hardening-check must find PIE,
# stack protector, fortify, relro and bindnow in the program. The packaged program must answer
# for the project's version, the copyright file must cover what the package holds and no more,
# and the package must depend on what the window needs and nothing it does not.
#
#   scripts/test-package.sh [PACKAGE.deb]
# Without a package it installs what is missing and builds one with scripts/package.sh in
# ./build-package. Apart from ctest, since it builds the game once more with Debian's flags.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
version=$(sed -n 's/^project(Vennaloop VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

if [ $# -gt 0 ]; then
  deb=$(realpath -- "$1")
else
  scripts/install-deps.sh build package test
  deb=$(scripts/package.sh | tail -n 1)
fi
echo "judging $deb"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# lintian, as the package's reviewers would run it. Its remark that running as root is not
# recommended goes to standard error and is no tag.
tags=$(lintian -E -I -L +pedantic "$deb" 2>/dev/null | grep -E '^[A-Z]: ' || true)
[ -z "$tags" ] || fail "lintian has tags:"$'\n'"$tags"

# The window's platform plugins come with libqt6gui6, which the linked libraries bring; Debian's
# synopsis starts in lower case.
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6gui6* ]] || fail "Depends lacks libqt6gui6: $depends"
[[ $depends != *qt6-qpa-plugins* ]] || fail "Depends names qt6-qpa-plugins: $depends"
synopsis=$(dpkg-deb -f "$deb" Description | sed -n 1p)
[[ $synopsis == [[:lower:]]* ]] || fail "the synopsis starts in upper case: $synopsis"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
program=$unpacked/usr/games/vennaloop
if [ -x "$program" ]; then
  # All but control-flow protection, which no program can have on Debian 12: its C start files
  # (Scrt1.o, crti.o, crtn.o) carry no IBT or SHSTK mark, so the linker drops the program's.
  hardening-check --nocfprotection "$program" || fail "hardening-check finds a feature missing"
  answer=$("$program" --version) || fail "the packaged program's --version fails"
  [ "$answer" = "vennaloop $version" ] || fail "--version says '$answer', not 'vennaloop $version'"
else
  fail "no program at /usr/games/vennaloop"
fi

# Every Files: pattern of the copyright file names something the package holds, relative to
# /usr/share/doc/vennaloop as a reader would take it or anywhere in the package.
copyright=$unpacked/usr/share/doc/vennaloop/copyright
while read -r pattern; do
  [ "$pattern" = '*' ] && continue
  (cd "$unpacked" && compgen -G "./$pattern" >/dev/null) ||
    fail "the copyright file covers '$pattern', which the package does not hold"
done < <(awk '/^Files:/ { sub(/^Files: */, ""); print; files = 1; next }
              files && /^ / { print; next } { files = 0 }' "$copyright" | tr ' ' '\n' | sed '/^$/d')

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "lintian: no tags; hardening-check: all features; the program answers for $version"
