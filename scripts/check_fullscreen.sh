#!/usr/bin/env bash
# Full screen and back on a real X server, with and without a window manager: starts Xvfb (and
# Openbox for the second run), starts the game, presses F11 and Alt+Enter in turn and checks the
# window's size and place after each press. Needs xvfb, openbox, xdotool and x11-utils.
#
#   bash scripts/check_fullscreen.sh [DISPLAY_NUMBER] [GAME]
set -u
number=${1:-83}
game=$(realpath "${2:-build/release/cairnmark}")
export DISPLAY=:$number
failures=0
pids=()

stop() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  pids=()
}
trap stop EXIT

# "WIDTHxHEIGHT+X+Y" of the game's window as the X server has it.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^  Width/{w=$NF} /^  Height/{h=$NF} END{print w "x" h "+" x "+" y}'
}

expect() {  # window, what, wanted size, wanted place or "" for any
  local got
  got=$(geometry "$1")
  if [[ ${got%%+*} == "$3" && ( -z $4 || ${got#*+} == "$4" ) ]]; then
    echo "  ok    $2: $got"
  else
    echo "  WRONG $2: $got, wanted $3${4:++$4}"
    failures=$((failures + 1))
  fi
}

for manager in none openbox; do
  echo "== Xvfb $DISPLAY 1920x1080, window manager: $manager"
  Xvfb "$DISPLAY" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  if [[ $manager == openbox ]]; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
  fi
  folder=$(mktemp -d)
  (cd "$folder" && exec "$game") >/dev/null 2>&1 &
  pids+=($!)
  sleep 3
  window=$(xdotool search --name '^Cairnmark$' | head -1)
  if [[ -z $window ]]; then
    echo "  WRONG no game window"
    failures=$((failures + 1))
  else
    xdotool mousemove 960 540
    expect "$window" "started" 1920x1080 0+0
    full=1
    for key in F11 F11 alt+Return alt+Return F11 F11; do
      xdotool key "$key"
      sleep 1
      full=$((1 - full))
      if [[ $full == 0 ]]; then
        expect "$window" "$key to a window" 800x600 ""
      else
        expect "$window" "$key to full screen" 1920x1080 0+0
      fi
    done
  fi
  stop
  rm -rf "$folder"
done
echo "failures: $failures"
[[ $failures == 0 ]]
