#!/bin/sh
# Runs a command on a virtual X display of its own, 1280x1024 at 96 dpi.
# Xvfb takes the first free display number itself (-displayfd), so tests
# started side by side never share one, as xvfb-run -a's guesses may.
set -u
folder="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$folder/display" 2>/dev/null &
server=$!
while [ ! -s "$folder/display" ]; do
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
DISPLAY=":$(cat "$folder/display")" "$@"
status=$?
kill "$server"
wait "$server"
rm -r "$folder"
exit "$status"
