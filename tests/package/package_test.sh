#!/usr/bin/env bash
# package_test.sh: builds the Debian package with scripts/package.sh and judges it with Debian's
# own checkers: lintian with every tag shown, pedantic ones included, must have nothing to say,
# and hardening-check must find PIE, stack protector, fortify, relro and bindnow in the program.
# The packaged program must answer for the project's version.
#
#   package_test.sh SOURCE_DIR BUILD_DIR VERSION
set -euo pipefail
source=$1 build=$2 version=$3

for tool in lintian hardening-check dpkg-deb; do
  command -v "$tool" >/dev/null ||
    { echo "FAIL: $tool is missing (scripts/install-deps.sh test installs it)"; exit 1; }
done

log=$build.log
if ! "$source/scripts/package.sh" "$build" >"$log" 2>&1; then
  cat "$log"
  echo "FAIL: scripts/package.sh"
  exit 1
fi
deb=$(ls "$build"/vennaloop_*.deb)
echo "built $deb"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# lintian, as the package's reviewers would run it. Its remark that running as root is not
# recommended goes to standard error and is no tag.
tags=$(lintian -E -I -L +pedantic "$deb" 2>/dev/null | grep -E '^[A-Z]: ' || true)
[ -z "$tags" ] || fail "lintian has tags:"$'\n'"$tags"

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

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "lintian: no tags; hardening-check: all features; the program answers for $version"
