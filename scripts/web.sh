#!/usr/bin/env bash
# Builds the game for a web page into dist/web/: index.html, cairnmark.js and cairnmark.wasm (the art
# inside), played from any static file server. Installs emscripten when missing and builds the
# libraries once into a cache outside the clone (scripts/web_deps.sh); the build itself is
# build/web/. Its arguments go to web_deps.sh (--with-browser also installs chromium for the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(bash scripts/web_deps.sh "$@" | tail -1)
export NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3
build=build/web
# With ccache, a fresh clone compiles nothing another clone compiled before: paths below the clone
# are hashed relative to it, and the libraries' folder names the toolchain's versions.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(pwd -P)}
fi
if [ ! -f "$build/build.ninja" ] || ! grep -qxF "CAIRNMARK_WEB_DEPS:PATH=$prefix" "$build/CMakeCache.txt"; then
  emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-O2 "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch" \
    -DCAIRNMARK_WEB_DEPS:PATH="$prefix" >/dev/null
fi
cmake --build "$build" --target cairnmark
mkdir -p dist/web
cp web/index.html "$build/cairnmark.js" "$build/cairnmark.wasm" dist/web/
echo "dist/web/: serve it, e.g. python3 -m http.server -d dist/web 8000, and open http://localhost:8000/"
