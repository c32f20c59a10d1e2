#!/usr/bin/env bash
# Takes the README's screenshot of the window on a virtual display: the
# program is built first (scripts/test.sh builds it in build/, scripts/run.sh
# in build-release/), then
#   scripts/screenshot.sh [build-dir] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build}"
output="${2:-docs/screenshot.png}"
program="$build_dir/app/velmora2-name-generator"
mkdir -p "$(dirname "$output")"

xvfb-run --auto-servernum --server-args="-screen 0 800x600x24 -dpi 96 -nolisten tcp" \
    bash -c '
        set -euo pipefail
        "$1" & pid=$!
        trap "kill $pid 2>/dev/null || true" EXIT
        for _ in $(seq 100); do
            window=$(xdotool search --onlyvisible --name "^Velmora 2 Name Generator$" 2>/dev/null | head -n1 || true)
            [[ -n "$window" ]] && break
            sleep 0.1
        done
        [[ -n "$window" ]] || { echo "the window did not appear" >&2; exit 1; }
        # Show it in use: choose a gender and generate a name.
        xdotool mousemove --window "$window" 36 40 click 1
        xdotool mousemove --window "$window" 232 36 click 1
        xdotool mousemove --window "$window" 440 200
        sleep 0.3
        import -window "$window" "$2"
    ' _ "$program" "$output"
echo "wrote $output"
