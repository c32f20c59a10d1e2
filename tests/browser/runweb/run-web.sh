#!/usr/bin/env bash
# The README's page command as a user runs it: scripts/run-web.sh builds the
# page and serves it at the address it prints, on this machine only.
set -euo pipefail
cd "$(dirname "$0")/../../.."
output="$(mktemp)"
trap 'kill "$server" 2>/dev/null; rm -f "$output"' EXIT
scripts/run-web.sh 0 >"$output" 2>/dev/null &
server=$!
address=""
for _ in $(seq 600); do
    address="$(grep -o 'http://localhost:[0-9]*/' "$output" || true)"
    [[ -n "$address" ]] && break
    kill -0 "$server" 2>/dev/null || { echo "run-web.sh ended:"; cat "$output"; exit 1; }
    sleep 0.5
done
[[ -n "$address" ]] || { echo "run-web.sh printed no address"; exit 1; }
page="$(curl -fsS "$address")"
grep -q '<title>Velmora 2 Name Generator</title>' <<<"$page" ||
    { echo "$address is not the page"; exit 1; }
grep -q 'id="program-code">[A-Za-z0-9+/]' <<<"$page" ||
    { echo "$address is a page without its program"; exit 1; }
port="${address##*:}"
listening="$(ss -Hltn "sport = :${port%/}" | awk '{print $4}')"
[[ "$listening" == "127.0.0.1:${port%/}" ]] ||
    { echo "the server answers on $listening, not on this machine only"; exit 1; }
echo "run-web.sh serves the page at $address, on this machine only"
