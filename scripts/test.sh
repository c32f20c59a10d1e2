#!/usr/bin/env bash
# Installs what is missing, builds the Windows program (scripts/build-windows.sh)
# and the page (the web preset), then builds and runs the whole test suite
# twice (the tests and sanitize presets of CMakePresets.json): a normal build
# with warnings as errors (including the valgrind session, the Windows
# program under wine and the page in headless Chromium), and a
# build with AddressSanitizer and UndefinedBehaviorSanitizer. Fails when any
# test fails. The Debian packages are checked by scripts/check-debian-package.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
jobs="$(nproc)"

echo "== Windows build"
scripts/build-windows.sh

echo "== web build"
cmake --preset web
cmake --build --preset web --parallel "$jobs"

for preset in tests sanitize; do
    echo "== $preset build"
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
done
