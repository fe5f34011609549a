#!/usr/bin/env bash
# Builds the game and starts it (full screen; Alt+Enter toggles a window).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target cairnmark
exec ./build/release/cairnmark
