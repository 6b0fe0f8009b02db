#!/usr/bin/env bash
# Builds every layer below the user interface for Windows with mingw-w64, as
# the program ships: 32-bit x86 (build-windows/). Then runs its tests under
# Wine, against the real Win32 registry, loader, conversions, file copies and
# version resources.
#
# Every run starts from a fresh 64-bit Wine prefix inside the build folder,
# where the 32-bit executables run through WoW64, as on 64-bit Windows, with
# no display and neither Mono nor Gecko; the Wine server is started once and
# stopped when the script ends, however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-windows

# Debian's wine32 package brings the 32-bit loader; without it the wrapper
# would fall back to the 64-bit one, which runs no 32-bit program.
if [ ! -x /usr/lib/wine/wine ]; then
  echo "Wine's 32-bit loader is missing (Debian package wine32:i386): run scripts/install-packages.sh --tests" >&2
  exit 1
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake --no-warn-unused-cli \
  > /dev/null

source scripts/wine-env.sh
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
