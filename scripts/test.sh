#!/usr/bin/env bash
# Builds everything and runs every test, then the same tests built with the address and
# undefined-behaviour sanitizers, so neither can rot unnoticed (CI runs exactly this).
# --release or --sanitize runs only that half.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
presets=(release sanitize)
[ "${1:-}" = "--release" ] && presets=(release)
[ "${1:-}" = "--sanitize" ] && presets=(sanitize)
for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
