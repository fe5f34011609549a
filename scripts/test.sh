#!/usr/bin/env bash
# Builds everything and runs every test, then the same tests built with the address and
# undefined-behaviour sanitizers, so neither can rot unnoticed, then the web page in a headless
# browser against the desktop's replay tool (CI runs exactly this).
# --release, --sanitize or --web runs only that part.
set -euo pipefail
cd "$(dirname "$0")/.."
parts=(release sanitize web)
case "${1:-}" in
  "") ;;
  --release | --sanitize | --web) parts=("${1#--}") ;;
  *) echo "usage: test.sh [--release|--sanitize|--web]" >&2; exit 2 ;;
esac
bash scripts/deps.sh test
for part in "${parts[@]}"; do
  if [ "$part" = web ]; then
    started=$SECONDS
    bash scripts/deps.sh web
    # The page's recordings are checked by the release build's replay tool.
    cmake --preset release >/dev/null
    cmake --build --preset release --target cairnmark-replay
    bash scripts/web.sh --with-browser
    (cd tests/web && npm ci --prefer-offline --no-audit --no-fund)
    node tests/web/page_test.mjs dist/web
    echo "test.sh: the web part took $((SECONDS - started)) s"
    continue
  fi
  cmake --preset "$part" >/dev/null
  cmake --build --preset "$part"
  ctest --preset "$part"
done
