#!/usr/bin/env bash
# webkit_test.sh NODE TEST: runs a browser test file in WebKitGTK, or skips it where WebKitGTK's
# WebDriver or the virtual X server it draws on is not installed (its package depends on the
# library that brings MiniBrowser). scripts/install-deps.sh web-test installs both.
set -euo pipefail
# shellcheck source=../../tests/need_tools.sh
. "$(dirname "$0")/../../tests/need_tools.sh"
tools_task=web-test
need_tools WebKitWebDriver Xvfb
VENNALOOP_BROWSER=webkit exec "$1" --test "$2"
