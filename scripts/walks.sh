#!/usr/bin/env bash
# Plays random walks on both real dialogs and compares them step by step:
#
#   scripts/walks.sh [--seeds N]
#
# walks 1 to N (30 unless told, as the tests do), played first on Linux
# (build/, offscreen), then on Windows under Wine (build-windows/), which
# compares each of its transcripts with Linux's and prints the first step
# where they differ, with the walk. Both builds must have been configured
# (scripts/test.sh does that).
set -euo pipefail
cd "$(dirname "$0")/.."
export ZQT_WALK_SEEDS=30
if [ "${1:-}" = --seeds ]; then ZQT_WALK_SEEDS=$2; fi

cmake --build build --target scenario_tests
(cd build/tests/scenarios && rm -rf walks && ./scenario_tests --gtest_filter='Walks/*' --gtest_brief=1)
cmake --build build-windows --target scenario_tests
. scripts/wine-session.sh build-windows
cd build-windows
ctest -R '^Walks$' --output-on-failure --timeout 100000
