#!/usr/bin/env bash
# no_display_test.sh: the program started where no window can open. Its command line answers all
# the same (help, version, one-line usage errors); without a display, whether none is named or the
# named one cannot be reached, it prints one clear line and exits with status 1; a platform plugin
# that fails for another reason is left to explain itself in Qt's words.
#
#   no_display_test.sh PROGRAM VERSION
set -u
program=$1 version=$2
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
fail=0
bad() { echo "$what: $*"; fail=1; }
# Runs the program without any display; sets out, err and rc.
run() {
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>"$errors")
  rc=$?
  err=$(cat "$errors")
}
lines() { if [ -z "$1" ]; then echo 0; else printf '%s\n' "$1" | wc -l; fi; }

what="no DISPLAY"
run "$program"
[ "$rc" -eq 1 ] || bad "exit status $rc, expected 1"
[ "$(lines "$err")" -eq 1 ] || bad "expected one line, got: $err"
[[ $err == *"no display"* ]] || bad "the line does not say why: $err"

what="unreachable DISPLAY"
run DISPLAY=:4077 XAUTHORITY=/nonexistent "$program"
[ "$rc" -eq 1 ] || bad "exit status $rc, expected 1"
[ "$(lines "$err")" -eq 1 ] || bad "expected one line, got: $err"
[[ $err == *"no display"* ]] || bad "the line does not say why: $err"

what="unknown platform plugin"
run DISPLAY=:4077 QT_QPA_PLATFORM=bogus "$program"
[ "$rc" -eq 1 ] || bad "exit status $rc, expected 1"
[[ $err == *'platform plugin "bogus"'* ]] || bad "Qt's message is not shown: $err"
[[ $err != *"no display"* ]] || bad "blames the display: $err"

for option in --help -h; do
  what=$option
  run "$program" "$option"
  [ "$rc" -eq 0 ] || bad "exit status $rc, expected 0"
  [ -z "$err" ] || bad "wrote to standard error: $err"
  [[ $out == Usage:* ]] || bad "no usage line: $out"
  [[ $out == *--version* ]] || bad "does not mention --version: $out"
done

for option in --version -v; do
  what=$option
  run "$program" "$option"
  [ "$rc" -eq 0 ] || bad "exit status $rc, expected 0"
  [ "$out" = "vennaloop $version" ] || bad "printed '$out', expected 'vennaloop $version'"
done

for args in "--bogus" "-x -y" "stray" "--help stray"; do
  what="vennaloop $args"
  # shellcheck disable=SC2086  # the words are the arguments
  run "$program" $args
  [ "$rc" -eq 2 ] || bad "exit status $rc, expected 2"
  [ -z "$out" ] || bad "wrote to standard output: $out"
  [ "$(lines "$err")" -eq 1 ] || bad "expected one line, got: $err"
  [[ $err == "vennaloop: "*--help* ]] || bad "the line does not name the program and --help: $err"
done
exit $fail
