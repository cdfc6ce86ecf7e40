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
build=${BUILD_DIR:-build}
bench/on_x_server.sh "$build"/bench/crash_soak "$build"/korvalin "$kills" $seed
