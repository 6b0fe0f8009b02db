#!/usr/bin/env bash
# Installs what the program needs, builds it and runs it.
#
#   scripts/run.sh           the program on your own desktop registry and
#                            whatever device library the system has
#   scripts/run.sh --demo    the program on a demo prepared in
#                            build-release/demo: a desktop registry with the
#                            organizer's settings and log files, and a
#                            simulated device with its settings and log files
#
# Any further arguments go to the program (for example /AdvancedOptions).
set -euo pipefail
cd "$(dirname "$0")/.."

demo=false
if [ "${1:-}" = "--demo" ]; then
  demo=true
  shift
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "ZQTTweaker shows a dialog, and there is no display here (DISPLAY is not set)." >&2
  echo "Run this command in a desktop session, or over 'ssh -X' from one." >&2
  exit 1
fi

scripts/install-packages.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZQT_BUILD_TESTS=OFF \
  -DZQT_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build build-release --target ZQTTweaker zqt_prepare_demo zqt_device > /dev/null

if $demo; then
  folder=$(build-release/tools/zqt_prepare_demo build-release/demo)
  export ZQT_REGISTRY_FILE="$folder/desktop.db"
  export ZQT_DEVICE_FOLDER="$folder/device"
  export ZQT_RAPI_LIBRARY="$PWD/build-release/src/devicesim/libzqtrapi.so"
  echo "Demo: desktop registry $ZQT_REGISTRY_FILE, device in $ZQT_DEVICE_FOLDER"
fi
exec build-release/src/main/ZQTTweaker "$@"
