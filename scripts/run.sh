#!/usr/bin/env bash
# Installs what the program needs, builds it and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZQT_BUILD_TESTS=OFF \
  -DZQT_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build build-release --target ZQTTweaker > /dev/null
exec build-release/src/main/ZQTTweaker "$@"
