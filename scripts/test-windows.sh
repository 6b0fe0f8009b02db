#!/usr/bin/env bash
# Builds every layer below the user interface for Windows with mingw-w64
# (build-windows/) and runs its tests under Wine, against the real Win32
# registry, loader, conversions, file copies and version resources.
#
# Every run starts from a fresh Wine prefix inside the build folder, with no
# display and neither Mono nor Gecko; the Wine server is started once and
# stopped when the script ends, however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-windows

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake --no-warn-unused-cli \
  > /dev/null

export WINEPREFIX="$PWD/$build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
wineserver -k > /dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
trap 'wineserver -k > /dev/null 2>&1 || true' EXIT
# The server first: one started by wineboot would not stay.
wineserver -p > /dev/null 2>&1
wineboot -i > /dev/null 2>&1

cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2 --timeout 300
