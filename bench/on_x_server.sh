#!/usr/bin/env bash
# Runs a command on a headless X server of its own (Xvfb, no window manager), which ends with it.
#   bench/on_x_server.sh command [argument ...]
set -euo pipefail

# The server picks a free display and writes its number to the descriptor given.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
if ! [ -s "$display_file" ]; then
    echo "on_x_server.sh: the X server did not start" >&2
    exit 1
fi
DISPLAY=:$(cat "$display_file") "$@"
