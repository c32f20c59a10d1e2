#!/usr/bin/env bash
# Builds the Debian source package and, from it, the program's package and
# its debug symbols package, the Debian way (dpkg-buildpackage, debian/), from
# a fresh clone of the last commit in <folder>/source; the packages and the
# .changes naming them land in <folder>. Changes not committed are not
# built. The last line printed is the path of the .changes.
#   scripts/build-debian-package.sh <folder>
set -euo pipefail
cd "$(dirname "$0")/.."

folder="$(realpath -m "$1")"
scripts/install-deps.sh
rm -rf "$folder"
mkdir -p "$folder"
git clone --quiet --no-checkout . "$folder/source"
git -C "$folder/source" checkout --quiet "$(git rev-parse HEAD)"
(cd "$folder/source" && dpkg-buildpackage -us -uc)
ls "$folder"/*.changes
