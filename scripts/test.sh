#!/usr/bin/env bash
# Installs what the tests need, builds everything with the address and
# undefined-behaviour sanitizers, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
cmake -S . -B build -G Ninja -DZQT_SANITIZE=ON > /dev/null
cmake --build build
cd build
ctest --output-on-failure -j2 --timeout 300
