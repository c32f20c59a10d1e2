#!/usr/bin/env bash
# Signs a Windows program or installer in place (Authenticode, SHA-256, with
# osslsigncode) with the code-signing certificate and key of a PKCS#12 file,
# and has an RFC 3161 time-stamp server vouch for the time when one is named.
# Fails, leaving the file as it was, when the file cannot be signed (a wrong
# password, say). scripts/build-windows.sh has the build call it.
#   VELMORA_SIGN_PKCS12=<file.p12> VELMORA_SIGN_PASSWORD=<its password> \
#   [VELMORA_SIGN_TIMESTAMP_URL=<server>] scripts/sign-windows-file.sh <file.exe>
set -euo pipefail

file="$1"
timestamp=()
if [[ -n "${VELMORA_SIGN_TIMESTAMP_URL:-}" ]]; then
    timestamp=(-ts "$VELMORA_SIGN_TIMESTAMP_URL")
fi
trap 'rm -f "$file.signed"' EXIT
# The password goes through a pipe, never on a command line others can see.
osslsigncode sign -pkcs12 "${VELMORA_SIGN_PKCS12:?names no PKCS#12 file}" \
    -readpass <(printf '%s' "${VELMORA_SIGN_PASSWORD:-}") -h sha256 \
    -n "Velmora 2 Name Generator" -i "https://velmora2namegen.example/" "${timestamp[@]}" \
    -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
echo "signed $file"
