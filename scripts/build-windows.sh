#!/usr/bin/env bash
# Builds the Windows program with mingw-w64 (the windows preset of
# CMakePresets.json): one static .exe, a portable .zip and an NSIS installer,
# in build-windows/ or the folder given. Installs what is missing from Debian
# 12 first. The last line printed is the path of the .exe.
#   scripts/build-windows.sh [build-dir]
# Signed, with a code-signing certificate and its key in a PKCS#12 file
# (scripts/sign-windows-file.sh), in build-windows-signed/ unless a folder
# is given:
#   VELMORA_SIGN_PKCS12=<file.p12> VELMORA_SIGN_PASSWORD=<its password> \
#   [VELMORA_SIGN_TIMESTAMP_URL=<RFC 3161 server>] scripts/build-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sign_command=""
default_dir=build-windows
clean=()
if [[ -n "${VELMORA_SIGN_PKCS12:-}" ]]; then
    sign_command="$PWD/scripts/sign-windows-file.sh"
    default_dir=build-windows-signed
    # Built afresh, so every file is signed with the certificate given now.
    clean=(--clean-first)
fi
build_dir="$(realpath -m "${1:-$default_dir}")"
scripts/install-deps.sh --windows

cmake --preset windows -B "$build_dir" "-DVELMORA_SIGN_COMMAND=$sign_command"
cmake --build "$build_dir" --parallel "$(nproc)" "${clean[@]}"

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
# our own guard and failure handler (ui/win32/stackguard.cpp): its
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
