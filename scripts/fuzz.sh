#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own build folder and runs them
# for a bounded time, shared between them: the version block parser and the
# reading of registry files of options, each half of it.
#
#   scripts/fuzz.sh [SECONDS]      (default 60 in all; ZQT_FUZZ_BUILD names the folder)
#
# Inputs that make one fail are left in the build folder as crash-* files.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZQT_FUZZ_BUILD:-$root/build-fuzz}

cmake -S "$root/fuzz" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target version_block_fuzz version_block_seeds reg_file_fuzz

# fuzz TARGET CORPUS SECONDS SEEDS: runs one target on its own corpus.
fuzz() {
  local corpus=$build/corpus/$2
  mkdir -p "$corpus"
  echo "== $1 for $3 s"
  ./"$1" -max_total_time="$3" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$corpus" "$4"
}

first=$((seconds / 2))
cd "$build"
fuzz version_block_fuzz version_block "$first" "$build/seeds/version_block"
fuzz reg_file_fuzz reg_file "$((seconds - first))" "$root/fuzz/seeds/reg_file"
