#!/usr/bin/env bash
# The page's frame against a bare putImageData, and its tick rates, in headless Chromium: builds
# the page (scripts/build-web.sh) and runs bench/web_frame.mjs on it. The tests' puppeteer-core
# must be installed (scripts/test-web.sh does that).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh --target vennaloop_site
node bench/web_frame.mjs build-web/site
