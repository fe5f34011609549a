#!/usr/bin/env bash
# Times whole games played by the replay tool, in one run: a dungeon session of about 700 keys with
# its battles, undrawn and drawn with a screenshot at every key wait (--shots), and a random session
# of 20,000 keys undrawn (drawn, its thousands of screenshots would take many minutes). Each run
# prints the tool's --stats line and its save's checksum, which must agree. Given a tool built before
# the undrawn display existed, which drew every frame without --shots too, that is timed as well:
#     bash scripts/replay_speed.sh [OLD_REPLAY_BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."
replay=build/release/tools/replay/cairnmark-replay
old=${1:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same kind of keys the flow tests' random sessions press: what a player presses, never Escape,
# with the 1000-gold and full-health keys now and then.
random_keys() {
  local seed=$1 n=$2 state roll i
  local keys=(1 1 1 2 2 3 4 5 enter space up down 0)
  state=$seed
  printf 'enter space@30 space@32'
  for ((i = 0; i < n; ++i)); do
    state=$(((state * 1664525 + 1013904223) & 0xffffffff))
    roll=$((state >> 8))
    if ((roll % 40 == 0)); then printf ' lshift+g'
    elif ((roll % 40 == 1)); then printf ' lshift+h'
    else printf ' %s' "${keys[roll % 13]}"; fi
  done
  echo
}

# Into the dungeon with gold, then down the stairs and exploring, attacking in every battle.
dungeon_keys() {
  local i
  printf 'enter space@30 space@32 lshift+g 5'
  for ((i = 0; i < 40; ++i)); do printf ' lshift+h 2 1 1 1 1 1 1 enter 3 1 1 1 1 1 1 enter'; done
  echo
}

random_keys 1 20000 >"$work/random.keys"
dungeon_keys >"$work/dungeon.keys"

# name binary clock keys-file extra-options...: the wall time seen from outside and the save's
# checksum (an older tool has no --stats).
play() {
  local name=$1 binary=$2 clock=$3 keys=$4 dir="$work/$1"
  shift 4
  mkdir -p "$dir/game"
  local start end
  start=$(date +%s%N)
  SDL_VIDEODRIVER=offscreen "$binary" --clock "$clock" --keys-file "$keys" --dir "$dir/game" "$@" | sed "s/^/$name: /"
  end=$(date +%s%N)
  local save=none
  [ -f "$dir/game/save.dat" ] && save=$(md5sum <"$dir/game/save.dat" | cut -c1-8)
  echo "$name: $(((end - start) / 1000000)) ms, save $save"
}

echo "dungeon: $(wc -w <"$work/dungeon.keys") keys"
play dungeon-undrawn "$replay" 20260 "$work/dungeon.keys" --stats
play dungeon-drawn "$replay" 20260 "$work/dungeon.keys" --stats --shots "$work/dungeon-drawn/shots"
if [ -n "$old" ]; then play dungeon-old "$old" 20260 "$work/dungeon.keys"; fi
echo "random: $(wc -w <"$work/random.keys") keys"
play random-undrawn "$replay" 1 "$work/random.keys" --stats
if [ -n "$old" ]; then play random-old "$old" 1 "$work/random.keys"; fi
