#!/usr/bin/env bash
# Builds the save-file fuzzer with clang (the fuzz configuration) and runs it for a bounded time,
# starting from the seed saves in tools/fuzz/corpus. Usage: scripts/fuzz.sh [seconds] (default 60).
# Not part of the normal test command. CAIRNMARK_FUZZ_BUILD picks another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${CAIRNMARK_FUZZ_BUILD:-build/fuzz}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DCAIRNMARK_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_save_load -j2
corpus="$build/fuzz-corpus"
mkdir -p "$corpus"
cp tools/fuzz/corpus/* "$corpus"/
# Findings are written into the build folder; a finding makes the run fail.
cd "$build"
./tools/fuzz/fuzz_save_load -max_total_time="$seconds" -max_len=2048 -print_final_stats=1 fuzz-corpus
