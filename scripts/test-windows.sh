#!/usr/bin/env bash
# Builds the program and its tests for Windows with mingw-w64
# (build-windows/) and runs the tests under Wine, against the real Win32
# registry, loader, conversions, file copies, version resources and windows.
#
# Every run starts from a fresh Wine prefix inside the build folder, on a
# virtual X server of its own (scripts/wine-session.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-windows

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake --no-warn-unused-cli \
  > /dev/null

. scripts/wine-session.sh "$build"

cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2 --timeout 300
