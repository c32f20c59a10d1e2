#!/usr/bin/env bash
# Builds the last commit twice, in two folders of different names and at two
# different times, and compares the packages byte for byte: the Debian
# packages, the program's and its debug symbols' (built from the source
# package, scripts/build-debian-package.sh), the Windows program, its zip
# and its installer (scripts/build-windows.sh, unsigned), and the page's zip
# (the web preset). Fails when any pair
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
# The Windows program and the page are built in clones of the commit; when
# the work tree holds it unchanged, it is the first clone, and its own
# builds, brought up to date, are the first of the two.
clones=("$work/first/clone" "$work/second-build-elsewhere/clone")
if [[ -z "$(git status --porcelain)" ]]; then
    clones[0]="$PWD"
fi

for index in 0 1; do
    folder="${folders[index]}"
    clone="${clones[index]}"
    echo "== building $commit in $folder at $(date -u +%T)"
    scripts/build-debian-package.sh "$folder/debian" >/dev/null
    if [[ "$clone" != "$PWD" ]]; then
        git clone --quiet --no-checkout . "$clone"
        git -C "$clone" checkout --quiet "$commit"
    fi
    "$clone/scripts/build-windows.sh" >/dev/null
    (cd "$clone" && cmake --preset web >/dev/null &&
        cmake --build --preset web --target web_site --parallel "$(nproc)" >/dev/null)
    sleep 2 # so that no time of the build can agree by chance
done

differ=0
for artefact in debian/velmora2-name-generator{,-dbgsym}_*.deb \
    build-windows/app/velmora2-name-generator.exe \
    build-windows/packages/*{-windows-x64.zip,-setup.exe} build-web/packages/*-web.zip; do
    roots=("${clones[@]}")
    [[ "$artefact" == debian/* ]] && roots=("${folders[@]}")
    first=("${roots[0]}"/$artefact)
    second=("${roots[1]}"/$artefact)
    name="${first[0]##*/}"
    if cmp --quiet "${first[0]}" "${second[0]}"; then
        echo "identical: $name ($(stat -c %s "${first[0]}") bytes)"
    else
        echo "DIFFERENT: $name ($(cmp "${first[0]}" "${second[0]}" 2>&1 | head -1))" >&2
        differ=1
    fi
done
exit "$differ"
