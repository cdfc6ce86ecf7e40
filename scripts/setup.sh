#!/usr/bin/env bash
# Installs what a build needs (only what is missing) and builds into build/.
#   scripts/setup.sh program   the program alone: Qt (with Qt Charts for the reports, Qt's SQLite driver for
#                              training) and pugixml
#   scripts/setup.sh all       also the tools, the tests and the benchmarks
#   scripts/setup.sh fuzz      the fuzz targets alone, with clang and libFuzzer (BUILD_DIR defaults to build-fuzz)
# KORVALIN_WARNINGS_AS_ERRORS=ON and KORVALIN_SANITIZERS=... are passed on to CMake; BUILD_DIR names
# another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-all}
# Qt Charts' CMake files need Qt OpenGL's, which Debian's qt6-charts-dev does not pull in. Qt's SQLite
# driver is a plug-in loaded at run time: no build step asks for it, so it is named here.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite
    libsqlite3-dev qt6-svg-dev libpugixml-dev fonts-wine fonts-liberation fonts-dejavu-core)
options=(-DKORVALIN_BUILD_TESTS=OFF -DKORVALIN_BUILD_TOOLS=OFF)
targets=()
default_build=build
if [ "$mode" = all ]; then
    # python3 runs the journal verifier the tests hold korvalin-verify to (tests/journal_py); the soaks type
    # into the real program on a headless X server through the XTest extension.
    packages+=(libgtest-dev libmpfr-dev libgmp-dev clang-format poppler-utils desktop-file-utils python3
        xvfb libxtst-dev)
    options=(-DKORVALIN_BUILD_TESTS=ON -DKORVALIN_BUILD_TOOLS=ON)
elif [ "$mode" = fuzz ]; then
    # libFuzzer comes with clang's runtime libraries, which Debian ships apart from the compiler.
    packages+=(clang libclang-rt-dev)
    options+=(-DKORVALIN_BUILD_FUZZERS=ON -DCMAKE_CXX_COMPILER=clang++)
    targets=(--target korvalin_fuzzers)
    default_build=build-fuzz
fi

scripts/install-packages.sh "${packages[@]}"

options+=(-DKORVALIN_WARNINGS_AS_ERRORS="${KORVALIN_WARNINGS_AS_ERRORS:-OFF}")
options+=(-DKORVALIN_SANITIZERS="${KORVALIN_SANITIZERS:-}")
# A compiler cache, where one is installed, spares rebuilding what did not change.
command -v ccache >/dev/null && options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

build=${BUILD_DIR:-$default_build}
# Configure output is kept out of the way, but shown whole when configuring fails.
log=$(mktemp)
if ! cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    exit 1
fi
rm -f "$log"
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
