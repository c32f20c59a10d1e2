#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests with warnings as
# errors, and runs the whole test suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WARNINGS_AS_ERRORS=ON
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --timeout 600
