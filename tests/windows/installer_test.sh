#!/usr/bin/env bash
# installer_test.sh: installs the Windows installer silently into a fresh Wine prefix and checks
# what it left: the program and its files under Program Files, the Start-menu shortcut and the
# entry in the list of installed programs with the version; then runs the uninstaller that entry
# names, silently, and checks that all of it is gone.
#
#   installer_test.sh SETUP.exe VERSION
set -euo pipefail
. "$(dirname "$0")/../need_tools.sh"

setup=$1 version=$2
need_tools wine wineserver wineboot
[ -f "$setup" ] || { echo "FAIL: no installer at $setup (scripts/package-windows.sh makes it)"; exit 1; }

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/vennaloop-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
unset DISPLAY  # silent means no window, and none is needed

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vennaloop'
dir="$WINEPREFIX/drive_c/Program Files/Vennaloop"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vennaloop.lnk"
failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failed=1; fi
}
value() {  # the data of a value of the uninstall entry
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# The prefix is made first, apart, so that its messages stay out of the log.
wineboot -i >/dev/null 2>&1
# /S waits for nothing: wineserver -w waits until every process of the prefix has ended.
wine "$setup" /S
wineserver -w
for file in vennaloop.exe LICENSE.txt README.txt uninstall.exe; do
  check "installed $file" test -s "$dir/$file"
done
check "Start-menu shortcut" test -s "$shortcut"
check "listed as installed, version $version" test "$(value DisplayVersion)" = "$version"
check "listed under its name" test "$(value DisplayName)" = Vennaloop
uninstall=$(value QuietUninstallString)
check "a silent uninstall command" test -n "$uninstall"

# As the system's list would run it.
eval "wine $(printf '%s' "$uninstall" | sed 's/\\/\\\\/g')"
wineserver -w
check "program folder removed" test ! -e "$dir"
check "shortcut removed" test ! -e "$shortcut"
check "no longer listed" bash -c "! wine reg query '$key' >/dev/null 2>&1"
[ "$failed" -eq 0 ] && echo "installer: installed and uninstalled silently"
exit "$failed"
