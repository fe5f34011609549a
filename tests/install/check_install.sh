#!/usr/bin/env bash
# Installs the build into a scratch prefix, as the Debian package lays it out, and checks the tree:
# every file in its place, the icons at their sizes, the menu entry, the metadata and the manual
# (with their validators when installed, and the documents the manual names), the version in one
# place, the command line, and the installed game entering its save folder under the data home
# whatever folder it starts in. Runs no window: the folder is seen through the game's lock on it.
#     check_install.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
note() { echo "note: $*"; }

cmake --install "$build" --prefix "$root/usr" >/dev/null
game=$root/usr/games/cairnmark
share=$root/usr/share
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$share"/metainfo/*.metainfo.xml)

# The tree, and nothing else in it.
expected="usr/games/cairnmark
usr/share/applications/cairnmark.desktop
usr/share/doc/cairnmark/README.md.gz
usr/share/doc/cairnmark/RECORDINGS.md.gz
usr/share/doc/cairnmark/changelog.gz
usr/share/doc/cairnmark/copyright
usr/share/icons/hicolor/128x128/apps/cairnmark.png
usr/share/icons/hicolor/256x256/apps/cairnmark.png
usr/share/icons/hicolor/32x32/apps/cairnmark.png
usr/share/icons/hicolor/64x64/apps/cairnmark.png
usr/share/man/man6/cairnmark.6.gz
usr/share/metainfo/$id.metainfo.xml"
found=$(cd "$root" && find . -type f -o -type l | sed 's:^\./::' | LC_ALL=C sort)
[ "$found" = "$expected" ] || fail "installed files differ from the layout:$(diff <(echo "$expected") <(echo "$found") | sed 's/^/ /')"
[ -x "$game" ] || fail "the game is not executable"

# Each icon a PNG of its folder's size with an alpha channel (width, height and colour type from IHDR).
for size in 32 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/cairnmark.png
  header=$(od -An -tu1 -j16 -N10 "$png" | tr -s ' ' | sed 's/^ //')
  read -r -a b <<<"$header"
  width=$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))
  height=$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))
  [ "$width x $height" = "$size x $size" ] || fail "icon $size is $width x $height"
  [ "${b[9]}" = 6 ] || fail "icon $size has no alpha channel (colour type ${b[9]})"
done

# The menu entry starts the installed command and names the installed icon.
desktop=$share/applications/cairnmark.desktop
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ -x "$root/usr/games/$(entry Exec | cut -d' ' -f1)" ] || fail "Exec=$(entry Exec) is not the installed game"
[ "$(entry Icon)" = cairnmark ] || fail "Icon=$(entry Icon)"
case "$(entry Categories)" in *Game\;*RolePlaying\;*) ;; *) fail "Categories=$(entry Categories)" ;; esac
grep -q "<launchable type=\"desktop-id\">cairnmark.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metadata does not launch cairnmark.desktop"

# One version: --version, the metadata's release, the manual and the changelog's latest entry.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$("$game" --version)" = "cairnmark $version" ] || fail "--version says '$("$game" --version)', not cairnmark $version"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$share/metainfo/$id.metainfo.xml" || fail "no release $version in the metadata"
zcat "$share/man/man6/cairnmark.6.gz" | head -1 | grep -q "\"cairnmark $version\"" || fail "the manual is not of $version"
zcat "$root/usr/share/doc/cairnmark/changelog.gz" | head -1 | grep -q "^cairnmark ($version) " ||
  fail "the changelog's latest entry is not $version"
head -1 "$root/usr/share/doc/cairnmark/copyright" | grep -q '^Format: .*copyright-format/1.0/$' ||
  fail "the copyright file is not in the machine-readable format"

if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
else note "desktop-file-validate is not installed (scripts/package.sh installs it): the menu entry was not validated"; fi
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) || fail "appstreamcli validate: $out"
else note "appstreamcli is not installed (scripts/package.sh installs it): the metadata was not validated"; fi
if command -v man >/dev/null; then
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/cairnmark.6.gz" 2>&1 >/dev/null) || fail "man: $out"
  [ -z "$out" ] || fail "the manual has warnings: $out"
else note "man is not installed: the manual was not checked"; fi
for doc in $(zcat "$share/man/man6/cairnmark.6.gz" | grep -o '/usr/share/doc/cairnmark/[A-Za-z0-9._-]*'); do
  [ -f "$root$doc" ] || fail "the manual names $doc, which is not installed"
done

# The command line: usage and status, a refused argument touches nothing.
mkdir "$scratch/here" && cd "$scratch/here"
help=$(XDG_DATA_HOME=$scratch/data "$game" --help) || fail "--help exits with $?"
grep -q "$scratch/data/cairnmark/save.dat" <<<"$help" || fail "--help does not name the save under XDG_DATA_HOME"
help=$(env -u XDG_DATA_HOME HOME="$scratch/home" "$game" --help)
grep -q "$scratch/home/.local/share/cairnmark/save.dat" <<<"$help" || fail "--help does not name the save under HOME"
help=$(XDG_DATA_HOME=relative HOME="$scratch/home" "$game" --help)
grep -q "$scratch/home/.local/share/cairnmark/save.dat" <<<"$help" || fail "a relative XDG_DATA_HOME was not ignored"
status=0
err=$(XDG_DATA_HOME=$scratch/data "$game" --play 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] || fail "an unknown argument exits with $status, not 2"
[ "$(wc -l <<<"$err")" = 1 ] && grep -q -- "--play" <<<"$err" || fail "an unknown argument says: $err"
[ ! -e "$scratch/data" ] || fail "an unknown argument made the save folder"

# A save folder that cannot be made: one line and status 1.
touch "$scratch/file"
status=0
err=$(XDG_DATA_HOME=$scratch/file "$game" 2>&1) || status=$?
[ "$status" = 1 ] && [ "$(wc -l <<<"$err")" = 1 ] || fail "an unmakeable save folder gave status $status and: $err"

# Started from another folder with no display, the game still makes its save folder first (private
# to the player), and writes nothing there or where it was started.
data=$scratch/data/deeper/cairnmark
status=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_DATA_HOME=$scratch/data/deeper "$game" 2>&1) || status=$?
[ "$status" = 1 ] || fail "with no display the game exited with $status: $err"
[ -d "$data" ] && [ "$(stat -c %a "$data")" = 700 ] || fail "the save folder $data was not made private to the player"
left=$(find "$data" "$scratch/here" -mindepth 1 2>/dev/null || true)
[ -z "$left" ] || fail "files were left behind: $left"
# It plays in that folder: with the folder held by another copy's lock, it names it and refuses.
mkdir -p "$data"
status=0
err=$(cd / && XDG_DATA_HOME=$scratch/data/deeper flock "$data" "$game" 2>&1) || status=$?
[ "$status" = 1 ] && grep -q "already playing in $data " <<<"$err" || fail "the game did not play in $data: $err"

[ "$failures" = 0 ] && echo "install tree checked: $(echo "$expected" | wc -l) files, version $version"
exit $((failures > 0))
