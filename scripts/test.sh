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
if [ "${parts[*]}" = "release sanitize web" ]; then
  # The page's libraries take some 20 minutes to build the first time, mostly one compiler after
  # another on one core: they are built beside the desktop halves (a no-op once they are cached).
  bash scripts/deps.sh web
  web_deps_log=$(mktemp)
  bash scripts/web_deps.sh --with-browser >"$web_deps_log" 2>&1 &
  web_deps=$!
  trap 'kill $web_deps 2>/dev/null || true; rm -f "$web_deps_log"' EXIT
fi
for part in "${parts[@]}"; do
  if [ "$part" = web ]; then
    started=$SECONDS
    if [ -n "${web_deps:-}" ] && ! wait $web_deps; then
      cat "$web_deps_log" >&2
      exit 1
    fi
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
