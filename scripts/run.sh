#!/usr/bin/env bash
# Installs what is missing, builds the program (the release preset of
# CMakePresets.json) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release
cmake --build --preset release --parallel "$(nproc)"
exec build-release/app/velmora2-name-generator
