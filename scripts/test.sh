#!/usr/bin/env bash
# Installs what is missing, builds the Windows program (scripts/build-windows.sh),
# then builds and runs the whole test suite twice: a normal build with
# warnings as errors (including the valgrind session, the packaging checks
# and the Windows program under wine), and a build with AddressSanitizer and
# UndefinedBehaviorSanitizer. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
jobs="$(nproc)"

echo "== Windows build"
scripts/build-windows.sh build-windows

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WARNINGS_AS_ERRORS=ON \
    -DVELMORA_WINDOWS_BUILD_DIR="$PWD/build-windows"
cmake --build build --parallel "$jobs"
ctest --test-dir build --output-on-failure --timeout 900

echo "== sanitizer build"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
    -DVELMORA_WARNINGS_AS_ERRORS=ON -DVELMORA_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize --parallel "$jobs"
# The packaging checks, the valgrind session and wine belong to the normal build.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
UBSAN_OPTIONS=print_stacktrace=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0" \
    ctest --test-dir build-sanitize --output-on-failure --timeout 900 --label-exclude "packaging|valgrind|wine"
