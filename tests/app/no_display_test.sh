#!/usr/bin/env bash
# no_display_test.sh: without a display the game prints one clear line and exits with status 1,
# whether no display is named at all or the named one cannot be reached.
set -u
program=$1
fail=0
check() {
  local what=$1; shift
  local err rc
  err=$("$@" "$program" 2>&1 >/dev/null)
  rc=$?
  if [ "$rc" -ne 1 ]; then echo "$what: exit status $rc, expected 1"; fail=1; fi
  if [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ] || [ -z "$err" ]; then
    echo "$what: expected one line, got:"; printf '%s\n' "$err"; fail=1
  fi
  case "$err" in *"no display"*) ;; *) echo "$what: the line does not say why: $err"; fail=1 ;; esac
}
check "no DISPLAY" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
check "unreachable DISPLAY" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4077 XAUTHORITY=/nonexistent
exit $fail
