#!/usr/bin/env bash
# Installs what the tests need, builds everything with the address and
# undefined-behaviour sanitizers, fuzzes the version-resource parser and the
# reading of registry files for 60 seconds in all, and runs every test; then
# builds the layers below the user interface for Windows and runs their
# tests under Wine; then makes the Debian package and the Windows archive
# and checks them (scripts/test-packages.sh). Every part runs whatever the
# others give, and a failure of any fails this.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh --tests
cmake -S . -B build -G Ninja -DZQT_SANITIZE=ON > /dev/null
cmake --build build
status=0
echo "Fuzzing the version-resource parser and the registry-file reader for 60 s (log: build/fuzz.log)"
if scripts/fuzz.sh 60 > build/fuzz.log 2>&1; then
  grep -E '^== |^Done|stat::number_of_executed_units' build/fuzz.log || true
else
  tail -40 build/fuzz.log
  status=1
fi
cd build
ctest --output-on-failure -j2 --timeout 300 || status=$?
../scripts/test-windows.sh || status=$?
../scripts/test-packages.sh || status=$?
exit "$status"
