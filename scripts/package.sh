#!/usr/bin/env bash
# Makes the Debian package dist/cairnmark_<version>_amd64.deb and prints its path last: installs what
# it needs from Debian, configures a release build of the game alone (build/package) with Debian's
# hardening flags, builds it, has CPack's DEB generator pack the install tree (the dependencies come
# from dpkg-shlibdeps), then checks the package with lintian, failing on any error or warning. One
# commit makes the same package bytes in any checkout: see cmake/package.cmake for its dates.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh package
build=build/package
# The files and folders CPack makes itself (the archives, the staged tree's folders) take their
# modes from the umask, and the package keeps them: 022, as Debian's own tools pack.
umask 022

# Debian's flags, as a package built by Debian's own tools gets them: the stack protector, fortified
# functions, read-only relocations bound at start, and the checkout's folder written as "." in the
# binary (-ffile-prefix-map), so that where it was built changes no byte. None changes the game's
# arithmetic.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=+all"
cppflags=$(dpkg-buildflags --get CPPFLAGS)
# Only the installed files are built: CPack's install step does not build everything first.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" --target cairnmark_installed cairnmark_packaging_files
rm -rf "$build/cpack"
(cd "$build" && cpack -G DEB -B cpack >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=cairnmark_${version}_$(dpkg --print-architecture).deb
mkdir -p dist
mv "$build/cpack/$deb" "dist/$deb"

lintian --fail-on error,warning --display-info "dist/$deb"
echo "dist/$deb"
