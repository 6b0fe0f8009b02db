#!/usr/bin/env bash
# Builds the program and its tests for Windows with mingw-w64
# (build-windows/) and runs the tests under Wine, against the real Win32
# registry, loader, conversions, file copies, version resources and windows.
#
# Every run starts from a fresh Wine prefix inside the build folder, on a
# virtual X server of its own (windows need a display), with neither Mono
# nor Gecko; the X server and the Wine server are started once and stopped
# when the script ends, however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-windows

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake --no-warn-unused-cli \
  > /dev/null

export WINEPREFIX="$PWD/$build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k > /dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# The X server writes its display number once it takes connections.
display_file="$build/xvfb-display"
rm -f "$display_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" 2> /dev/null &
xvfb=$!
trap 'wineserver -k > /dev/null 2>&1 || true; kill "$xvfb" 2> /dev/null || true' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$display_file")"
# The server first: one started by wineboot would not stay.
wineserver -p > /dev/null 2>&1
wineboot -i > /dev/null 2>&1

cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2 --timeout 300
