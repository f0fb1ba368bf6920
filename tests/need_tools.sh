# shellcheck shell=bash
# need_tools.sh: sourced by the script tests that drive other programs.

# The status by which a test tells ctest it was skipped (the tests' SKIP_RETURN_CODE).
SKIPPED=77

# The install-deps.sh task that brings the tools; a test of another task's sets its own.
tools_task='test'

# need_tools TOOL...: ends the test as skipped, naming what is missing, unless every TOOL is on
# the PATH. A machine without a compositor or a validator cannot judge the game, which is no
# fault of the game; scripts/install-deps.sh test installs them all.
need_tools() {
  local tool missing=()
  for tool in "$@"; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "SKIP: missing ${missing[*]} (scripts/install-deps.sh $tools_task installs them)"
  exit "$SKIPPED"
}
