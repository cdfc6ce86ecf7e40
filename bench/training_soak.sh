#!/usr/bin/env bash
# The training window's kill soak: builds the program and bench/training_soak, starts a headless X server
# and kills build/korvalin reciting pi, about 1.2 s a kill. ctest runs a short one
# (training_window_kill_soak); ./benchmark --soak runs this.
#   bench/training_soak.sh [kills] [seed]    1,000 kills and a random seed by default
set -euo pipefail
cd "$(dirname "$0")/.."

kills=${1:-1000}
seed=${2:-}
scripts/install-packages.sh xvfb libxtst-dev
scripts/setup.sh all >/dev/null
build=${BUILD_DIR:-build}
bench/on_x_server.sh "$build"/bench/training_soak "$build"/korvalin "$kills" $seed
