#!/usr/bin/env bash
# Builds the game and starts it here (full screen; Alt+Enter or F11 toggles a window), passing on its
# arguments (--help, --version). Its save, save.dat, is written in the repository root, where git
# ignores it. Only the game's own packages are installed (not the test tools). A start with nothing
# changed skips the package check (made again when the installed packages or the list change) and
# the configure step (the build runs it again by itself when a CMake file changed).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
checked=$build/.play-packages-checked
if [ ! "$checked" -nt scripts/deps.sh ] || [ ! "$checked" -nt /var/lib/dpkg/status ]; then
  bash scripts/deps.sh game
  mkdir -p "$build"
  touch "$checked"
fi
[ -f "$build/build.ninja" ] || cmake --preset release >/dev/null
# Quiet when there is nothing to build; a failed build still stops here (pipefail).
cmake --build --preset release --target cairnmark | { grep -v -e '^ninja: no work to do' -e 'Re-checking globbed' || true; }
exec "./$build/cairnmark" "$@"
