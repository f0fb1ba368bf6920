#!/usr/bin/env bash
# installer_test.sh: installs the Windows installer silently into a fresh Wine prefix and checks
# what it left: the program and its files under Program Files, the Start-menu shortcut and the
# entry in the list of installed programs with the version and the folder's size; then runs the
# uninstaller that entry names, silently, and checks that all of it is gone. Last, in a prefix
# that says it is Windows 7, the installer must refuse and leave nothing behind.
#
#   installer_test.sh SETUP.exe VERSION
set -euo pipefail
. "$(dirname "$0")/../need_tools.sh"

setup=$(realpath -- "$1") version=$2
need_tools wine wineserver wineboot winecfg
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

# fresh_prefix VERSION WINDOWS_VER: empties the prefix and makes it anew as that Windows version
# (winecfg's name), apart, so that its messages stay out of the log; checks that the prefix
# reports WINDOWS_VER (the number `ver` prints).
fresh_prefix() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" && mkdir "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  winecfg -v "$1" >/dev/null 2>&1
  wineserver -w
  check "the prefix is $1" bash -c "wine cmd /c ver 2>/dev/null | grep -q 'Windows $2'"
}

# This Wine's prefixes are Windows 7 unless told otherwise.
fresh_prefix win10 10.0.
# /S waits for nothing: wineserver -w waits until every process of the prefix has ended.
wine "$setup" /S
wineserver -w
for file in vennaloop.exe LICENSE.txt README.txt RUNTIME-LICENSES.txt uninstall.exe; do
  check "installed $file" test -s "$dir/$file"
done
# The size in KiB, each file rounded as Windows counts it; a DWORD that reg prints in hex.
kib=$(find "$dir" -type f -printf '%s\n' | awk '{ k += int(($1 + 1023) / 1024) } END { print k }')
size=$(value EstimatedSize)
check "listed with its size, ${kib} KiB (says $size)" \
  test "$((size >= kib - 4 && size <= kib + 4 ? 1 : 0))" = 1
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

# Windows 7 lacks the program's DPI calls: the installer stops before it writes anything, with
# NSIS's status for an installation the script aborted.
fresh_prefix win7 6.1.
status=0
wine "$setup" /S || status=$?
wineserver -w
check "refused on Windows 7 (status $status, 2 is aborted)" test "$status" -eq 2
check "nothing installed on Windows 7" test ! -e "$dir"
check "not listed on Windows 7" bash -c "! wine reg query '$key' >/dev/null 2>&1"
[ "$failed" -eq 0 ] && echo "installer: installed and uninstalled silently, refused Windows 7"
exit "$failed"
