#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing (a second run needs no
# network). Runs apt-get as root, or through sudo.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libsdl2-dev libx11-dev libpng-dev libjpeg-dev zlib1g-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libgtest-dev libgmock-dev libbenchmark-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
