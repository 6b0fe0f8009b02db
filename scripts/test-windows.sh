#!/usr/bin/env bash
# Builds the program and its tests for Windows with mingw-w64, as the program
# ships: 32-bit x86 (build-windows/). Then runs the tests under Wine, against
# the real Win32 registry, loader, conversions, file copies, version
# resources and windows.
#
# Every run starts from a fresh 64-bit Wine prefix inside the build folder,
# where the 32-bit executables run through WoW64, as on 64-bit Windows, on a
# virtual X server of its own (scripts/wine-session.sh).
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

. scripts/wine-session.sh "$build"

cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2 --timeout 300
