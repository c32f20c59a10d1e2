#!/usr/bin/env bash
# Installs what is missing, builds the page (the web preset of
# CMakePresets.json) and serves it on this machine, printing its address;
# Ctrl+C stops it. build-web/site/ is the whole site, for any web server;
# build-web/packages/ has it zipped.
#   scripts/run-web.sh [port]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --web
cmake --preset web
cmake --build --preset web --parallel "$(nproc)"
port="${1:-8000}"
echo "The page: http://localhost:$port/"
exec scripts/serve-site.py build-web/site "$port" localhost
