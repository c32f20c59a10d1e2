#!/usr/bin/env bash
# Builds the Windows program with mingw-w64: one static .exe, a portable
# .zip and an NSIS installer, in build-windows/ or the folder given.
# Installs what is missing from Debian 12 first. The last line printed is
# the path of the .exe.
#   scripts/build-windows.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="$(realpath -m "${1:-build-windows}")"
scripts/install-deps.sh --windows

cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DVELMORA_WARNINGS_AS_ERRORS=ON
cmake --build "$build_dir" --parallel "$(nproc)"

# The .exe must run on a bare Windows: it may import Windows' own DLLs only,
# never the compiler's runtime (libstdc++, libgcc, libwinpthread).
program="$build_dir/app/velmora2-name-generator.exe"
windows_dlls='^(advapi32|comctl32|gdi32|kernel32|msvcrt|ole32|oleaut32|shell32|user32)\.dll$'
imports="$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')"
foreign="$(grep -viE "$windows_dlls" <<<"$imports" || true)"
if [[ -n "$foreign" ]]; then
    echo "the program imports DLLs that Windows does not have: $foreign" >&2
    exit 1
fi

# Hardened: ASLR (also above 4 GiB) and DEP, and the stack protector with
# our own guard and failure handler (hardening/stackguard_windows.cpp): its
# fast fail (mov ecx, 2; int 0x29) is in the code, and libssp's guard, which
# would import advapi32, is not.
headers="$(x86_64-w64-mingw32-objdump -p "$program")"
for feature in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
    if ! grep -qw "$feature" <<<"$headers"; then
        echo "the program is built without $feature" >&2
        exit 1
    fi
done
if ! LC_ALL=C grep -qaP '\xb9\x02\x00\x00\x00\xcd\x29' "$program" ||
    grep -qix 'advapi32.dll' <<<"$imports"; then
    echo "the program is built without the stack protector, or with libssp's guard" >&2
    exit 1
fi

echo "imports: $(tr '\n' ' ' <<<"$imports")"
echo "portable zip: $(ls "$build_dir"/packages/*-windows-x64.zip)"
echo "installer: $(ls "$build_dir"/packages/*-setup.exe)"
echo "$program"
