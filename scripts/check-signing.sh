#!/usr/bin/env bash
# Proves the signing of the Windows files with a throw-away certificate made
# here: a build signed with it (scripts/build-windows.sh) gives a program,
# zip, installer and uninstaller that verify against that certificate, with
# SHA-256 and the time stamp of a time-stamp server standing in for a
# release's (tests/common/timestampserver.py); the
# installer installs under wine, the signed program starts and the
# uninstaller removes it; a wrong password fails the signing and leaves the
# file as it was.
#   scripts/check-signing.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="$(realpath -m "${1:-build-windows-signed}")"
work="$(mktemp -d)"
trap 'kill "$timestamps" 2>/dev/null; rm -rf "$work"' EXIT

# A self-signed code-signing certificate, with its key in a PKCS#12 file.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velmora 2 test signer" \
    -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning \
    -keyout "$work/key.pem" -out "$work/certificate.pem" 2>/dev/null
password="throw-away $RANDOM"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" \
    -passout "pass:$password" -out "$work/signer.p12"
export VELMORA_SIGN_PKCS12="$work/signer.p12"
# A time-stamp server with a throw-away certificate of its own.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velmora 2 test time stamps" \
    -addext extendedKeyUsage=critical,timeStamping \
    -keyout "$work/stamper-key.pem" -out "$work/stamper.pem" 2>/dev/null
tests/common/timestampserver.py "$work/stamper.pem" "$work/stamper-key.pem" >"$work/port" &
timestamps=$!
timeout 30 bash -c 'until [[ -s "$1" ]]; do sleep 0.1; done' _ "$work/port"
export VELMORA_SIGN_TIMESTAMP_URL="http://127.0.0.1:$(cat "$work/port")/"
VELMORA_SIGN_PASSWORD="$password" scripts/build-windows.sh "$build_dir"

verify() {
    osslsigncode verify -CAfile "$work/certificate.pem" -TSA-CAfile "$work/stamper.pem" \
        -in "$1" >"$work/verify.log" 2>&1 &&
        grep -q "^Message digest algorithm  : SHA256" "$work/verify.log" &&
        grep -q "^Timestamp Server Signature verification: ok" "$work/verify.log" || {
        cat "$work/verify.log" >&2
        echo "not signed with SHA-256, the throw-away certificate and a time stamp: $1" >&2
        exit 1
    }
    echo "signed: $1"
}
program="$build_dir/app/velmora2-name-generator.exe"
installer=("$build_dir"/packages/*-setup.exe)
verify "$program"
verify "${installer[0]}"
zip=("$build_dir"/packages/*-windows-x64.zip)
(cd "$work" && cmake -E tar xf "${zip[0]}" velmora2-name-generator.exe)
cmp "$program" "$work/velmora2-name-generator.exe"
echo "the zip holds the signed program"

cp "$program" "$work/unsigned.exe"
VELMORA_SIGN_PASSWORD="wrong $password" scripts/sign-windows-file.sh "$work/unsigned.exe" &&
    { echo "signing with a wrong password did not fail" >&2; exit 1; }
cmp "$program" "$work/unsigned.exe"
echo "a wrong password fails and changes nothing"

# Under wine, in the test suite's prefix when it has made one, with the
# tests' fonts and locale and none of the desktop session's display: install
# for the current user, check the uninstaller the installer wrote, start the
# installed program, uninstall.
export WINEPREFIX="$PWD/build/tests/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export FONTCONFIG_FILE="$PWD/tests/common/fonts.conf" LANG=C.UTF-8 LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP LANGUAGE
mkdir -p "$WINEPREFIX"
tests/common/on-own-display.sh bash -c '
    set -euo pipefail
    wineserver -k 2>/dev/null || true
    wineboot --init && wineserver -w
    wine "$1" /S /CurrentUser && wineserver -w
    folder="$(dirname "$(find "$WINEPREFIX/drive_c/users" -name velmora2-name-generator.exe)")"
    cp "$folder/uninstall.exe" "$2/uninstall.exe"
    wine "$folder/velmora2-name-generator.exe" &
    timeout 30 xdotool search --sync --onlyvisible --name "^Velmora 2 Name Generator$" >/dev/null ||
        { echo "the installed signed program opened no window" >&2; exit 1; }
    wineserver -k
    wine "$folder/uninstall.exe" /S && wineserver -w
    [[ ! -e "$folder" ]] || { echo "the signed uninstaller left $folder" >&2; exit 1; }
' _ "${installer[0]}" "$work"
verify "$work/uninstall.exe"
echo "the signed installer installs, the program starts, the uninstaller removes it"
