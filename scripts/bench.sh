#!/usr/bin/env bash
# Builds the benchmarks without sanitizers and prints the median of seven
# runs of each. The runs of a program's benchmarks take turns in random
# order, so that a machine busy for a while slows both sides of a ratio
# alike.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh --tests
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZQT_BUILD_TESTS=ON \
  -DZQT_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build-bench --target bench/all > /dev/null
for bench in build-bench/bench/*_bench; do
  "$bench" --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true "$@"
done
