#!/usr/bin/env bash
# Checks the Debian packages that a .changes names (scripts/build-debian-package.sh)
# as Debian does: lintian, pedantic and with its informational tags, finds
# nothing in the source, program or debug symbols package; the packaged
# program carries Debian's hardening; and the package's own tests
# (debian/tests) pass with autopkgtest against the package installed on
# this machine, which is removed again afterwards. Needs root, as apt does.
#   scripts/check-debian-package.sh <file.changes>
set -euo pipefail

changes="$(realpath "$1")"
findings="$(lintian --pedantic --display-info "$changes")"
[[ -z "$findings" ]] || { printf 'lintian:\n%s\n' "$findings" >&2; exit 1; }
echo "lintian finds nothing"

# Control-flow protection is left out: see cmake/Hardening.cmake.
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb --extract "$(dirname "$changes")"/velmora2-name-generator_*.deb "$tree"
hardening-check --nocfprotection "$tree/usr/bin/velmora2-name-generator"

autopkgtest "$changes" -- null
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq velmora2-name-generator
echo "the package passed its tests and was removed"
