#!/usr/bin/env bash
# Takes the README's screenshot of the Windows program under wine on a
# virtual display: its client area, as in the Linux screenshot. Build first
# (scripts/build-windows.sh), then
#   scripts/screenshot-windows.sh [build-dir] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="$(realpath "${1:-build-windows}")"
output="${2:-docs/screenshot-windows.png}"
mkdir -p "$(dirname "$output")"

export WINEPREFIX="$build_dir/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run --auto-servernum --server-args="-screen 0 800x600x24 -dpi 96 -nolisten tcp" \
    bash -c '
        set -euo pipefail
        wineboot --init && wineserver -w
        wine "$1" & pid=$!
        trap "kill $pid 2>/dev/null || true; wineserver -k || true" EXIT
        for _ in $(seq 300); do
            window=$(xdotool search --onlyvisible --name "^Velmora 2 Name Generator$" 2>/dev/null | head -n1 || true)
            [[ -n "$window" ]] && break
            sleep 0.1
        done
        [[ -n "$window" ]] || { echo "the window did not appear" >&2; exit 1; }
        # Show it in use: choose a gender and generate a name.
        sleep 1
        xdotool mousemove --window "$window" 36 40 click 1
        xdotool mousemove --window "$window" 232 36 click 1
        xdotool mousemove 790 590
        sleep 0.5
        import -window "$window" "$2"
    ' _ "$build_dir/app/velmora2-name-generator.exe" "$output"
echo "wrote $output"
