#!/usr/bin/env bash
# Installs what is missing, builds the page and writes it as a static site ready for any web
# host: build-web/vennaloop-web-VERSION.tar.gz, one folder with index.html at its top.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
scripts/build-web.sh --target vennaloop_site
version=$(sed -n 's/^project(Vennaloop VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=vennaloop-web-$version
rm -rf "build-web/$name" && cp -r build-web/site "build-web/$name"
tar -czf "build-web/$name.tar.gz" -C build-web --owner=0 --group=0 --sort=name "$name"
rm -rf "build-web/$name"
echo "build-web/$name.tar.gz: $(du -sb build-web/site | cut -f1) bytes of site"
