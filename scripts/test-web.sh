#!/usr/bin/env bash
# Installs what is missing, builds the browser front end in ./build-web and runs its tests: the
# core's whole suite compiled to WebAssembly under Node, and the page in headless Chromium,
# Firefox ESR and WebKitGTK's MiniBrowser.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web web-test
# puppeteer-core as the lock file pins it; it drives Debian's Chromium and downloads none.
if ! cmp -s web/package-lock.json web/node_modules/.installed-lock.json 2>/dev/null; then
  (cd web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund &&
     cp package-lock.json node_modules/.installed-lock.json)
fi
scripts/build-web.sh
ctest --test-dir build-web --output-on-failure -j "$(nproc)"
