#!/usr/bin/env bash
# web_frame.sh: the page's main-thread busy time while the explorer walks, at 1920 x 1080 and
# 3840 x 2160, for each frame path in the same run (bench/web_frame.mjs says how, and what it
# takes from the environment). Builds the page and the core's test build, which holds the old
# path (scripts/build-web.sh); the tests' puppeteer-core must be installed (scripts/test-web.sh
# does that).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh --target vennaloop_site vennaloop_web_test
node bench/web_frame.mjs build-web/site build-web/test-core
