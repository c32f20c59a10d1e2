#!/usr/bin/env bash
# Redraws the reference pictures of the three windows (Qt, Win32 and the
# page) and of the Wayland desktops' title bars (tests/pictures/references)
# after a deliberate change of the window's look: builds what the picture
# tests need, runs them with VELMORA_UPDATE_REFERENCE_PICTURES=1, which
# writes every picture as the new reference, and then once more normally,
# which must pass. Look at the pictures (git diff shows which changed)
# before committing them.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
scripts/build-windows.sh >/dev/null
cmake --preset web >/dev/null
cmake --build --preset web --parallel "$(nproc)" >/dev/null
cmake --preset tests >/dev/null
cmake --build --preset tests --parallel "$(nproc)" \
    --target tst_pictures tst_program tst_win32program tst_web
tests='^(pictures|pictures_144dpi|pictures_dejavu|program|win32_program|web_chromium)$'
VELMORA_UPDATE_REFERENCE_PICTURES=1 ctest --preset tests -R "$tests"
ctest --preset tests -R "$tests"
git status --short tests/pictures/references
