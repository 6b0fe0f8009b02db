#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own build folder and runs the
# version block parser's fuzzer for a bounded time.
#
#   scripts/fuzz.sh [SECONDS]      (default 60; ZQT_FUZZ_BUILD names the folder)
#
# Inputs that make it fail are left in the build folder as crash-* files.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZQT_FUZZ_BUILD:-$root/build-fuzz}

cmake -S "$root/fuzz" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target version_block_fuzz version_block_seeds

corpus=$build/corpus/version_block
mkdir -p "$corpus"
cd "$build"
./version_block_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus" "$build/seeds/version_block"
