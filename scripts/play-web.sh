#!/usr/bin/env bash
# Installs what is missing, builds the page into ./build-web/site and serves it on 127.0.0.1
# (port 8080, or PORT): open the address it prints in a browser. Ctrl+C stops the server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
scripts/build-web.sh --target vennaloop_site
exec node web/serve.mjs build-web/site "${PORT:-8080}"
