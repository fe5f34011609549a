#!/usr/bin/env bash
# Installs the Debian packages a job needs, only when some are missing (a second run needs no
# network). Runs apt-get as root, or through sudo.
#     deps.sh game      what the game needs to build and run (scripts/play.sh)
#     deps.sh test      the game's and the tests', benchmarks' and fuzzer's (scripts/test.sh; the default)
#     deps.sh package   the game's and what makes and checks its Debian package (scripts/package.sh)
#     deps.sh web       what the web page's test adds to test's: ccache, and npm for its browser
#                       driver unless some npm is there (a Node.js that brings its own conflicts with
#                       Debian's); emscripten, its libraries and chromium come from scripts/web.sh
set -euo pipefail
game=(build-essential cmake ninja-build pkg-config
  libsdl2-dev libx11-dev libpng-dev libjpeg-dev zlib1g-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0)
case "${1:-test}" in
  game) packages=("${game[@]}") ;;
  test) packages=("${game[@]}" clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev) ;;
  package) packages=("${game[@]}" dpkg-dev fakeroot lintian desktop-file-utils appstream file man-db) ;;
  web)
    packages=(ccache)
    command -v npm >/dev/null || packages+=(npm)
    ;;
  *) echo "usage: deps.sh [game|test|package|web]" >&2; exit 2 ;;
esac
missing=()
# One query for all of them: the packages dpkg does not list as installed.
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null | awk '$1 == "ii" {print $2}' || true)
for p in "${packages[@]}"; do
  grep -qx "$p" <<<"$installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
