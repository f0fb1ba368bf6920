#!/usr/bin/env bash
# wine-run.sh: runs a Windows program under Wine in a fresh prefix of its own, made in a temporary
# folder and removed afterwards, so that nothing depends on the machine's own Wine setup. Exits
# with the program's status.
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
# With WINEPREFIX already set to a folder that exists (a test that runs several programs in one
# prefix), that prefix is used and kept.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: the program needs neither, and Wine would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
  exec wine "$@"
fi
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/vennaloop-wine.XXXXXX")
export WINEPREFIX
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
status=0
wine "$@" || status=$?
exit "$status"
