#!/usr/bin/env bash
# Builds the last commit twice, in two folders of different names and at two
# different times, and compares the packages byte for byte: the Debian
# packages, the program's and its debug symbols' (built from the source
# package, scripts/build-debian-package.sh), and the Windows program, its zip
# and its installer (scripts/build-windows.sh, unsigned). Fails when any pair
# differs. Changes not committed are not built. The builds stay in the work
# folder when one is given (CI checks the first one's Debian packages next).
#   scripts/check-reproducible.sh [work-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -n "${1:-}" ]]; then
    work="$(realpath -m "$1")"
    rm -rf "$work"
    mkdir -p "$work"
else
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
fi
commit="$(git rev-parse HEAD)"
folders=("$work/first" "$work/second-build-elsewhere")

for folder in "${folders[@]}"; do
    echo "== building $commit in $folder at $(date -u +%T)"
    scripts/build-debian-package.sh "$folder/debian" >/dev/null
    git clone --quiet --no-checkout . "$folder/windows"
    git -C "$folder/windows" checkout --quiet "$commit"
    "$folder/windows/scripts/build-windows.sh" >/dev/null
    sleep 2 # so that no time of the build can agree by chance
done

differ=0
for artefact in debian/velmora2-name-generator{,-dbgsym}_*.deb \
    windows/build-windows/app/velmora2-name-generator.exe \
    windows/build-windows/packages/*{-windows-x64.zip,-setup.exe}; do
    first=("${folders[0]}"/$artefact)
    second=("${folders[1]}"/$artefact)
    name="${first[0]#"${folders[0]}"/}"
    if cmp --quiet "${first[0]}" "${second[0]}"; then
        echo "identical: $name ($(stat -c %s "${first[0]}") bytes)"
    else
        echo "DIFFERENT: $name ($(cmp "${first[0]}" "${second[0]}" 2>&1 | head -1))" >&2
        differ=1
    fi
done
exit "$differ"
