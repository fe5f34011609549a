#!/usr/bin/env bash
# Builds the game and starts it here (full screen; Alt+Enter or F11 toggles a window). Its save,
# save.dat, is written in the repository root, where git ignores it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target cairnmark
exec ./build/release/cairnmark
