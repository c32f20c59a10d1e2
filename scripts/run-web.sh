#!/usr/bin/env bash
# Installs what is missing, builds the page (the web preset of
# CMakePresets.json) and serves it, printing its address; Ctrl+C stops it.
# It answers on this machine only, unless given an address to answer on
# (0.0.0.0 for every network). build-web/site/ is the whole site, for any
# web server; build-web/packages/ has it zipped.
#   scripts/run-web.sh [port [address]]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --web
cmake --preset web
cmake --build --preset web --parallel "$(nproc)"
exec scripts/serve-site.py build-web/site "${1:-8000}" "${2:-127.0.0.1}"
