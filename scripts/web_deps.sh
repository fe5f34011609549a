#!/usr/bin/env bash
# Builds the web page's libraries (zlib, libpng, libjpeg-turbo, SDL2) with emscripten, from this Debian
# release's source packages, into a cache outside the clone that is reused while the sources'
# versions, the compiler's and this recipe stay the same. Installs emscripten (and chromium, with
# --with-browser) when missing. The last line printed is the cache folder (include/, lib/).
#     web_deps.sh [--with-browser]      cache root: $CAIRNMARK_CACHE, else ~/.cache/cairnmark
set -Eeuo pipefail
shopt -s nullglob
me=web_deps.sh
exec 3>&2
die() { echo "$me: $*" >&3; exit 1; }
trap 'die "failed at line $LINENO: $BASH_COMMAND"' ERR

with_browser=0
case "${1:-}" in
  "") ;;
  --with-browser) with_browser=1 ;;
  *) echo "usage: web_deps.sh [--with-browser]" >&2; exit 2 ;;
esac
repo=$(cd "$(dirname "$0")/.." && pwd -P)
root=${CAIRNMARK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/cairnmark}
mkdir -p "$root"
root=$(cd "$root" && pwd -P)
case "$root/" in "$repo/"*) die "the cache ($root) must be outside the clone" ;; esac
sources=(zlib libpng1.6 libjpeg-turbo libsdl2)
# The -dev package each source builds: this machine's package lists name its version offline.
declare -A dev_of=([zlib]=zlib1g-dev [libpng1.6]=libpng-dev [libjpeg-turbo]=libjpeg62-turbo-dev
  [libsdl2]=libsdl2-dev)

# --- Debian packages: one dpkg query, apt only when something is missing -----------------------
need=(emscripten cmake make dpkg-dev)
[ $with_browser = 1 ] && need+=(chromium)
declare -A state version
emscripten_depends=""
query_packages() {  # the needed packages and the compilers emscripten may run
  local st name ver depends
  while IFS='|' read -r st name ver depends; do
    state[$name]=$st
    version[$name]=$ver
    [ "$name" != emscripten ] || emscripten_depends=$depends
  done < <(dpkg-query -W -f='${db:Status-Abbrev}|${Package}|${Version}|${Depends}\n' "${need[@]}" 'clang-[0-9]*' 'llvm-[0-9]*' 2>/dev/null || true)
}
query_packages
missing=()
for p in "${need[@]}"; do [ "${state[$p]:-}" = "ii " ] || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "$me: installing ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update >&2 || die "apt-get update failed"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}" >&2 ||
    die "installing ${missing[*]} failed"
  query_packages
fi
# The compiler is emscripten's package and the clang and llvm it runs.
toolchain="emscripten=${version[emscripten]}"
IFS=',' read -ra depends <<<"$emscripten_depends"
for d in "${depends[@]}"; do
  d=${d# }
  d=${d%% *}
  [[ ! $d =~ ^(clang|llvm)-[0-9]+$ ]] || toolchain+=$'\n'"$d=${version[$d]:-}"
done

exec 9>"$root/.lock"
flock 9
rm -rf "$root"/.build.*   # left by a run that was killed

# --- The recipe: everything that decides what the built libraries hold ---------------------------
# Its hash is part of the key (declare -f prints the code without comments, so only code counts).
recipe_env() {
  export NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3
  jobs=$(nproc)
  cmake_common=(-G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG"
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch")
}
build_zlib() {
  cd "$work/zlib"
  CFLAGS="-O2 -DNDEBUG" emconfigure ./configure --static
  emmake make -j"$jobs" libz.a
  cp libz.a "$prefix/lib/"
  cp zlib.h zconf.h "$prefix/include/"
}
build_libpng() {
  cd "$work/libpng1.6"
  emcmake cmake -S . -B web "${cmake_common[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_HARDWARE_OPTIMIZATIONS=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  cmake --build web -j"$jobs" --target png_static
  cp web/libpng16.a "$prefix/lib/"
  ln -s libpng16.a "$prefix/lib/libpng.a"
  cp png.h pngconf.h web/pnglibconf.h "$prefix/include/"
}
build_libjpeg() {
  cd "$work/libjpeg-turbo"
  emcmake cmake -S . -B web "${cmake_common[@]}" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
  cmake --build web -j"$jobs" --target jpeg-static
  cp web/libjpeg.a "$prefix/lib/"
  cp jpeglib.h jmorecfg.h jerror.h web/jconfig.h "$prefix/include/"
}
# SDL2's configure compiles and links every check with emcc: most of the time goes there.
build_sdl2() {
  cd "$work/libsdl2"
  emcmake cmake -S . -B web "${cmake_common[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
    -DSDL_THREADS=OFF -DSDL_PTHREADS=OFF -DCMAKE_INSTALL_PREFIX="$work/sdl2-install"
  cmake --build web -j"$jobs"
  cmake --install web
  cp -R "$work/sdl2-install/include/SDL2" "$prefix/include/"
  cp "$work/sdl2-install/lib/libSDL2.a" "$prefix/lib/"
}
recipe=$(declare -f recipe_env build_zlib build_libpng build_libjpeg build_sdl2 | sha256sum | cut -c1-16)

# --- The key ------------------------------------------------------------------------------------
key_of() {  # the source versions, "name=version" a line
  printf '%s\n%s\nrecipe=%s\n' "$1" "$toolchain" "$recipe" | sha256sum | cut -c1-16
}
finish() {  # prints the prefix and ends
  echo "$1"
  exit 0
}

# This machine's package lists name the version of each source (the one its -dev package would
# install), and the mirror may give another (see fetch): the last pair is kept, with a fingerprint of
# the lists and pins, since reading the lists costs apt over a second. While the lists name the
# same versions, the ones built last time are reused without asking the mirror.
eval "$(apt-config shell lists Dir::State::lists/d)"
fingerprint=$(stat -c '%n %s %Y' "$lists"*Packages* /etc/apt/preferences /etc/apt/preferences.d/* 2>/dev/null | sha256sum | cut -c1-16 || true)
known="$root/apt/versions"
kept() {  # field: the kept lines that start with it, without it
  [ ! -f "$known" ] || sed -n "s/^$1 //p" "$known"
}
named=$(kept named)
resolved=$(kept resolved)
relisted=0
[ "$(kept fingerprint)" = "$fingerprint" ] || relisted=1
if [ $relisted = 1 ]; then
  shown=$(apt-cache show --no-all-versions "${dev_of[@]}" 2>/dev/null | awk '
    /^Package:/ { pkg = $2; src = ""; sv = ""; ver = "" }
    /^Source:/ { src = $2; sv = $3; gsub(/[()]/, "", sv) }
    /^Version:/ { ver = $2 }
    /^$/ && pkg != "" { print pkg, (src == "" ? pkg : src), (sv == "" ? ver : sv); pkg = "" }' || true)
  was=$named
  named=$(for s in "${sources[@]}"; do
    echo "$s=$(awk -v p="${dev_of[$s]}" -v s="$s" '$1 == p && $2 == s {print $3; exit}' <<<"$shown")"
  done)
  [ "$named" = "$was" ] || resolved=""
fi
keep_versions() {
  mkdir -p "$root/apt"
  { echo "fingerprint $fingerprint"; sed 's/^/named /' <<<"$named"; sed 's/^/resolved /' <<<"$resolved"; } >"$known.new"
  mv "$known.new" "$known"
}
if [ -n "$resolved" ] && [ -f "$root/web-deps-$(key_of "$resolved")/manifest" ]; then
  [ $relisted = 0 ] || keep_versions
  finish "$root/web-deps-$(key_of "$resolved")"
fi

# --- A private apt configuration for the sources ------------------------------------------------
# deb-src entries for the mirrors, suites and components this machine's own deb entries name,
# written in deb822 form; its lists and cache are ours, its hooks cleared.
eval "$(apt-config shell sourcelist Dir::Etc::SourceList/f sourceparts Dir::Etc::SourceParts/d)"
one_line_to_deb822() {
  awk '
    { sub(/#.*/, "") }
    $1 != "deb" { next }
    {
      i = 2; opts = ""
      if ($2 ~ /^\[/) {
        while (i <= NF) { opts = opts " " $i; if ($i ~ /\]$/) { i++; break } i++ }
        gsub(/[][]/, "", opts)
      }
      if ($i ~ /^cdrom:/) next
      print "Types: deb-src"; print "URIs: " $i; print "Suites: " $(i + 1)
      comps = ""; for (j = i + 2; j <= NF; j++) comps = comps " " $j
      if (comps != "") print "Components:" comps
      n = split(opts, o, " ")
      for (j = 1; j <= n; j++) {
        split(o[j], kv, "="); k = kv[1]; v = substr(o[j], length(k) + 2)
        if (k ~ /^(arch|lang|target)/ || k ~ /[+-]$/) continue
        m = split(k, w, "-"); k = ""
        for (x = 1; x <= m; x++) k = k (x > 1 ? "-" : "") toupper(substr(w[x], 1, 1)) substr(w[x], 2)
        print k ": " v
      }
      print ""
    }'
}
deb822_to_src() {
  awk '
    function flush() { if (keep) { for (i = 1; i <= n; i++) print buf[i]; print "" } n = 0; keep = 0; skip = 0 }
    /^#/ { next }
    /^[ \t]*$/ { flush(); next }
    /^[ \t]/ { if (!skip) buf[++n] = $0; next }
    {
      field = tolower($0); sub(/:.*/, "", field); value = $0; sub(/^[^:]*:[ \t]*/, "", value); skip = 0
      if (field == "types") { keep = (" " value " ") ~ /[ \t]deb[ \t]/; buf[++n] = "Types: deb-src"; next }
      if (field ~ /^(architectures|languages|targets)/) { skip = 1; next }
      buf[++n] = $0
    }
    END { flush() }'
}
derived=$(
  for f in "$sourcelist" "$sourceparts"*.list "$sourceparts"*.sources; do
    [ -f "$f" ] || continue
    case "$f" in *.sources) deb822_to_src <"$f" ;; *) one_line_to_deb822 <"$f" ;; esac
  done
)
[ -n "$derived" ] || die "this machine's apt sources name no deb entry to derive deb-src entries from"
apt_dir="$root/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
printf '%s\n' "$derived" >"$apt_dir/deb-src.sources"
printf '%s\n' '#clear APT::Update::Pre-Invoke;' '#clear APT::Update::Post-Invoke;' \
  '#clear APT::Update::Post-Invoke-Success;' >"$apt_dir/apt.conf"
apt_opts=(-q -c "$apt_dir/apt.conf" -o Dir::Etc::SourceList="$apt_dir/deb-src.sources"
  -o Dir::Etc::SourceParts=/nonexistent -o Dir::State::Lists="$apt_dir/lists"
  -o Dir::Cache="$apt_dir/cache" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
  -o APT::Sandbox::User="$(id -un)")

work=$(mktemp -d "$root/.build.XXXXXX")
pids=()
cleanup() {  # each build runs in a process group of its own, ended whole
  for p in "${pids[@]}"; do kill -- "-$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
apt_failed() {  # what: the end of apt's log without mirror addresses, then one line
  tail -5 "$work/apt.log" | sed -E 's#[a-z+]+://[^ ]*#<mirror>#g; s/ *\[IP: [^]]*\]//' >&2
  die "$1"
}
newest_first() {  # source: the versions the deb-src entries offer
  local v i sorted=()
  for v in $(apt-cache "${apt_opts[@]}" madison "$1" | awk -F'|' '{gsub(/ /, "", $2); print $2}' | sort -u); do
    i=0
    while [ $i -lt ${#sorted[@]} ] && dpkg --compare-versions "${sorted[$i]}" gt "$v"; do i=$((i + 1)); done
    sorted=("${sorted[@]:0:$i}" "$v" "${sorted[@]:$i}")
  done
  printf '%s\n' "${sorted[@]}"
}
# Fetches the version this machine's lists name; when the mirror cannot give it (seen: no source
# files served for the security suite), the newest one it can, and says so.
fetch() {  # source wanted-version
  local v
  for v in $2 $(newest_first "$1" | { grep -vxF -e "$2" || true; }); do
    rm -rf "$work/get" && mkdir "$work/get"
    if (cd "$work/get" && apt-get "${apt_opts[@]}" source --download-only --only-source "$1=$v") >>"$work/apt.log" 2>&1; then
      [ -z "$2" ] || [ "$v" = "$2" ] || echo "$me: note: $1 $2 cannot be fetched from the mirror; using $v" >&2
      mv "$work/get/"* "$work/src/"
      return 0
    fi
  done
  return 1
}

echo "$me: fetching the sources of ${sources[*]}" >&2
apt-get "${apt_opts[@]}" update >"$work/apt.log" 2>&1 || apt_failed "apt-get update of the private deb-src list failed"
mkdir "$work/src"
fetched=""
for s in "${sources[@]}"; do
  fetch "$s" "$(awk -F= -v s="$s" '$1 == s {print substr($0, length(s) + 2)}' <<<"${resolved:-$named}")" ||
    apt_failed "apt-get source $s failed for every version the deb-src entries offer"
  dsc=("$work/src/${s}_"*.dsc)
  fetched+="$s=$(sed -n 's/^Version: //p' "${dsc[0]}")"$'\n'
  dpkg-source -x "${dsc[0]}" "$work/$s" >>"$work/apt.log" 2>&1 || apt_failed "unpacking $s failed"
done
versions=${fetched%$'\n'}
resolved=$versions
keep_versions
key=$(key_of "$versions")
final="$root/web-deps-$key"
[ -f "$final/manifest" ] && finish "$final"

# --- Build: SDL2 and libjpeg-turbo beside zlib and then libpng --------------------------------------------
prefix="$work/prefix"
mkdir -p "$prefix/include" "$prefix/lib"
recipe_env
echo "$me: building $(tr '\n' ' ' <<<"$versions")with $(grep "^emscripten=" <<<"$toolchain") ($jobs jobs; logs kept on failure)" >&2
start() {  # name function: runs it in the background, its output in work/name.log
  set -m
  (trap - ERR; "$2") >"$work/$1.log" 2>&1 &
  set +m
  pids+=($!)
  eval "pid_$1=\$!"
}
await() {  # name
  local pid_var="pid_$1"
  if ! wait "${!pid_var}"; then
    cp "$work/$1.log" "$root/web-deps-failed.log"
    tail -20 "$work/$1.log" | sed 's/^/    /' >&2
    die "building $1 failed (its whole log: $root/web-deps-failed.log)"
  fi
}
start sdl2 build_sdl2
start libjpeg build_libjpeg
start zlib build_zlib
await zlib
start libpng build_libpng
await libpng
await libjpeg
await sdl2
pids=()

{
  echo "key $key"
  sed 's/=/ /' <<<"$versions"
  sed 's/=/ /' <<<"$toolchain"
  echo "recipe $recipe"
  echo "built $(date -u +%Y-%m-%dT%H:%M:%SZ)"
  echo "lib $(cd "$prefix/lib" && echo *.a)"
} >"$prefix/manifest"
rm -rf "$final"
mv "$prefix" "$final"
finish "$final"
