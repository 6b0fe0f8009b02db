#!/usr/bin/env bash
# Start-up of ZQTTweaker.exe under Wine, from its start until its dialog is
# up and waits for input, beside a minimal Win32 dialog program built the
# same way (statically linked, same resources), in one run; each window is
# closed with Escape. Prints every run and the medians, then the whole
# process (start, dialog, Escape, end) with hyperfine when it is there.
#
#   bench/startup-windows.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=build-windows-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DZQT_BUILD_TESTS=OFF -DZQT_BUILD_BENCHMARKS=ON \
  --no-warn-unused-cli > /dev/null
cmake --build "$build" --target ZQTTweaker zqt_minimal_dialog zqt_startup_time > /dev/null
. scripts/wine-session.sh "$build"

timer="$build/bench/win32/zqt_startup_time.exe"
program="$build/src/main/ZQTTweaker.exe"
minimal="$build/bench/win32/zqt_minimal_dialog.exe"
ls -l "$program" "$minimal"
# One warm-up start each, then the two programs in turn.
wine "$timer" 1 "$(winepath -w "$program")" > /dev/null
wine "$timer" 1 "$(winepath -w "$minimal")" > /dev/null
wine "$timer" "$runs" "$(winepath -w "$program")" | tail -1
wine "$timer" "$runs" "$(winepath -w "$minimal")" | tail -1
if command -v hyperfine > /dev/null; then
  hyperfine --warmup 1 --runs "$runs" \
    -n ZQTTweaker.exe "wine $timer 1 '$(winepath -w "$program")'" \
    -n minimal-dialog "wine $timer 1 '$(winepath -w "$minimal")'"
fi
