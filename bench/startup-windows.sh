#!/usr/bin/env bash
# Start-up of ZQTTweaker.exe under Wine, from its start until its dialog is
# up and waits for input, beside a minimal Win32 dialog program built the
# same way (statically linked, same resources): the program without a device
# library, and beside the simulated one as its RAPI.DLL with a device that
# answers at once. The three take turns start by start; each window is
# closed with Escape. Prints each one's median and quartiles, and the
# program's time against the minimal dialog's with its spread.
#
#   bench/startup-windows.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-15}
build=build-windows-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DZQT_BUILD_TESTS=OFF -DZQT_BUILD_BENCHMARKS=ON \
  --no-warn-unused-cli > /dev/null
cmake --build "$build" --target ZQTTweaker zqt_device zqt_minimal_dialog zqt_startup_time \
  > /dev/null

# The program beside the device library, and an empty device that answers
# at once; the program in its build folder has no device library.
with_device="$build/bench/with-device"
rm -rf "$with_device"
mkdir -p "$with_device/device/settings"
cp "$build/src/main/ZQTTweaker.exe" "$build/src/devicesim/full/RAPI.DLL" "$with_device/"

. scripts/wine-session.sh "$build"
export ZQT_DEVICE_FOLDER
ZQT_DEVICE_FOLDER=$(winepath -w "$with_device/device")
timer="$build/bench/win32/zqt_startup_time.exe"
minimal="minimal dialog=$(winepath -w "$build/bench/win32/zqt_minimal_dialog.exe")"
without="ZQTTweaker.exe without a device library=$(winepath -w "$build/src/main/ZQTTweaker.exe")"
device="ZQTTweaker.exe with a device=$(winepath -w "$with_device/ZQTTweaker.exe")"
ls -l "$build/src/main/ZQTTweaker.exe" "$build/bench/win32/zqt_minimal_dialog.exe"
# One warm-up round, then the measured ones.
wine "$timer" 1 1.15 "$minimal" "$without" "$device" > /dev/null
wine "$timer" "$rounds" 1.15 "$minimal" "$without" "$device"
