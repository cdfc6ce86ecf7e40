#!/usr/bin/env bash
# The crash soak, not part of CI (over an hour for 1,000 kills): builds the program and bench/crash_soak,
# starts a headless X server and runs the soak against a copy of build/korvalin.
#   bench/crash_soak.sh [kills] [seed]    1,000 kills and a random seed by default
set -euo pipefail
cd "$(dirname "$0")/.."

kills=${1:-1000}
seed=${2:-}
scripts/install-packages.sh xvfb libxtst-dev
scripts/setup.sh all >/dev/null

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
    echo "crash_soak.sh: the X server did not start" >&2
    exit 1
fi

DISPLAY=:$(cat "$display_file") build/bench/crash_soak build/korvalin "$kills" $seed
