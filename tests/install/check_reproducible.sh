#!/usr/bin/env bash
# Packs the build's install tree into the Debian package twice, with CPack's DEB generator as
# scripts/package.sh does, into two folders and with every staged file and folder dated years apart,
# and checks that the two packages are the same bytes: no time or folder of the packing may reach it.
#     check_reproducible.sh BUILD_DIR
# Exits 77 (a skip, with the reason) when a tool the packing needs is missing.
set -euo pipefail
build=$1
for tool in cpack dpkg-deb strip; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (scripts/package.sh installs it)"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# As scripts/package.sh packs: the archives keep the modes of the files and folders CPack makes.
umask 022

# Run by CPack between staging the install tree and packing it.
cat >"$scratch/date_staged.cmake" <<'EOF'
execute_process(COMMAND find "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" -exec touch -h -d "@${STAGED_DATE}" {} +
  COMMAND_ERROR_IS_FATAL ANY)
EOF
# The dependencies are left out: dpkg-shlibdeps reads only the binary, the same in both packs, and
# needs `file`, which a test machine may lack.
pack() {
  local out=$scratch/$1
  (cd "$build" && cpack -G DEB -B "$out" -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF -D STAGED_DATE="$2" \
    -D CPACK_PRE_BUILD_SCRIPTS="$scratch/date_staged.cmake") >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
  echo "$out"/*.deb
}
first=$(pack first 1000000000)
second=$(pack second 1500000000)

if cmp -s "$first" "$second"; then
  echo "packed twice, the same bytes: $(sha256sum <"$first" | cut -d' ' -f1)"
  exit 0
fi
echo "FAIL: two packs of one install tree differ; the first lines that differ:"
listing() {
  ar tv "$1"
  dpkg-deb --ctrl-tarfile "$1" | tar tv --full-time
  dpkg-deb --fsys-tarfile "$1" | tar tv --full-time
}
diff <(listing "$first") <(listing "$second") | head -20 || true
exit 1
