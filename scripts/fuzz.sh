#!/usr/bin/env bash
# Builds the fuzzers with clang (the fuzz configuration) and runs them for a bounded time: the save
# loader's from the saves in tools/fuzz/corpus, the recording reader's from the recordings in
# tools/fuzz/recordings with the format's words. Usage: scripts/fuzz.sh [seconds] [save|recording|both]
# (default 60 s each, both in turn). Not part of the normal test command. CAIRNMARK_FUZZ_BUILD picks
# another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
which="${2:-both}"
case "$which" in
  save) targets=(fuzz_save_load) ;;
  recording) targets=(fuzz_recording) ;;
  both) targets=(fuzz_save_load fuzz_recording) ;;
  *)
    echo "usage: scripts/fuzz.sh [seconds] [save|recording|both]" >&2
    exit 2
    ;;
esac
build="${CAIRNMARK_FUZZ_BUILD:-build/fuzz}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DCAIRNMARK_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2
source_dir="$PWD"
# Findings are written into the build folder; a finding makes the run fail (set -e), and the next
# target is not run.
cd "$build"
for target in "${targets[@]}"; do
  if [ "$target" = fuzz_save_load ]; then
    mkdir -p fuzz-corpus
    cp "$source_dir"/tools/fuzz/corpus/* fuzz-corpus/
    ./tools/fuzz/fuzz_save_load -max_total_time="$seconds" -max_len=2048 -print_final_stats=1 fuzz-corpus
  else
    # A recording of a few KB reads in a few KB: any single allocation above 16 MB is a finding.
    mkdir -p fuzz-recordings
    cp "$source_dir"/tools/fuzz/recordings/* fuzz-recordings/
    ./tools/fuzz/fuzz_recording -max_total_time="$seconds" -max_len=4096 -malloc_limit_mb=16 \
      -dict="$source_dir"/tools/fuzz/recording.dict -print_final_stats=1 fuzz-recordings
  fi
done
