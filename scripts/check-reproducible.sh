#!/usr/bin/env bash
# Builds the last commit twice, in two folders of different names and at two
# different times, and compares the packages byte for byte: the Debian
# package and its debug symbols package, and the Windows program, its zip and
# its installer. Fails when any pair differs. Changes not committed are not
# built. With --windows, only the Windows build (what CI affords).
#   scripts/check-reproducible.sh [--windows]
set -euo pipefail
cd "$(dirname "$0")/.."

windows_only=false
if [[ "${1:-}" == "--windows" ]]; then
    windows_only=true
fi
scripts/install-deps.sh --windows
if ! $windows_only; then
    scripts/install-deps.sh
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
commit="$(git rev-parse HEAD)"
folders=("$work/first" "$work/second-build-elsewhere")

build() {
    local source="$1"
    git clone --quiet --no-checkout . "$source"
    git -C "$source" checkout --quiet "$commit"
    cmake -S "$source" -B "$source/build-windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$source/build-windows" --parallel "$(nproc)" >/dev/null
    if ! $windows_only; then
        cmake -S "$source" -B "$source/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCHMARKS=OFF >/dev/null
        cmake --build "$source/build" --parallel "$(nproc)" >/dev/null
        cpack --config "$source/build/CPackConfig.cmake" -G DEB -B "$source/build/deb" >/dev/null
    fi
}

for folder in "${folders[@]}"; do
    echo "== building $commit in $folder at $(date -u +%T)"
    build "$folder"
    sleep 2 # so that no time of the build can agree by chance
done

artefacts=(build-windows/app/velmora2-name-generator.exe build-windows/packages/*.zip
    build-windows/packages/*-setup.exe)
if ! $windows_only; then
    artefacts+=(build/deb/*.deb build/deb/*.ddeb)
fi
differ=0
for artefact in "${artefacts[@]}"; do
    first=("${folders[0]}"/$artefact)
    second=("${folders[1]}"/$artefact)
    name="${first[0]#"${folders[0]}"/}"
    if cmp --quiet "${first[0]}" "${second[0]}"; then
        echo "identical: $name ($(stat -c %s "${first[0]}") bytes)"
    else
        echo "DIFFERENT: $name ($(cmp "${first[0]}" "${second[0]}" | head -1))" >&2
        differ=1
    fi
done
exit "$differ"
