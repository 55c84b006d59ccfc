#!/usr/bin/env bash
# Measures under Xvfb (1024 x 768, software rendering) what the release game
# costs while it idles or runs: its own share of one core (user + system time
# of all its threads from /proc/PID/stat, the X server not counted) over 20
# seconds in each state, on a continued save with twelve trucks, a train, city
# traffic and animated factories (display boards, smoke, ground animations;
# made by ferrovane-idle-save), seen from its stored position:
#   the title; the running game at 1:1, 1:2 and 1:16; the same game paused
#   with P; the statistics screen open; the running game at 1:1 in --window.
# Prints a table and exits non-zero when a state is over its limit (title
# and a full screen at most 1 %, paused with P at most 2 %: the factories'
# animations go on there; the running game at 1:1 at most 10 %).
# Beside each figure stands the machine's load (the one-minute average of
# /proc/loadavg, the game included): on a loaded machine the game gets less
# of a core and its figures read several times lower, so the limits hold only
# on an otherwise idle machine (a load below about 1).
# With FOLDER, a screenshot of each state is kept there.
# Usage: tools/check_idle.sh [SECONDS [FOLDER]]   (20 seconds by default)
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
source tools/virtual_display.sh
fv_install_check_packages
fv_install_missing imagemagick

seconds="${1:-20}"
shots="${2:-}"
[ -n "$shots" ] && mkdir -p "$shots"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DFV_TESTS=OFF -DFV_BENCH=OFF >/dev/null
cmake --build build/release -j3 --target ferrovane ferrovane-standin ferrovane-idle-save \
  >/dev/null || exit 1
game="$(pwd)/build/release/ferrovane"

work="$(mktemp -d)"
build/release/ferrovane-standin "$work/data" >/dev/null || exit 1
mkdir -p "$work/data/save"
build/release/ferrovane-idle-save "$work/data/save/lastsave.lvl" || exit 1
fv_start_virtual_display 70 1024x768x24
failed=0
rows=()

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)

# measure NAME LIMIT: the share of one core over the next $seconds seconds,
# checked against LIMIT (% of a core; "-" for none).
measure() {
  local before after percent verdict="    "
  [ -n "$shots" ] && import -window root "$shots/$(echo "$1" | tr -c 'a-z0-9\n' '-').png"
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  percent=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%.1f", t / hz / s * 100 }')
  if [ "$2" != "-" ]; then
    if awk -v p="$percent" -v l="$2" 'BEGIN { exit !(p <= l) }'; then
      verdict="ok  "
    else
      verdict="FAIL"
      failed=1
    fi
  fi
  rows+=("$(printf '%-4s  %-34s %6s %%   limit %-2s   load %s' "$verdict" "$1" "$percent" "$2" \
    "$(cut -d' ' -f1 /proc/loadavg)")")
  echo "${rows[-1]}"
}

window=""
# start [OPTIONS]: starts the game in the data folder and waits for its window.
start() {
  (cd "$work/data" && exec "$game" "$@" 2>>"$work/err") &
  pid=$!
  window=""
  for _ in $(seq 50); do
    window=$(xdotool search --name '^Ferrovane$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "the game window did not open"; exit 1; }
}
stop() {
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null
  pid=""
}

# The game's window now (the window is made anew when the game starts).
current_window() {
  window=$(xdotool search --name '^Ferrovane$' 2>/dev/null | tail -n 1)
}
# Game screen (1024 x 768) to screen coordinates.
at() {
  current_window
  eval "$(xdotool getwindowgeometry --shell "$window")"
  echo $((X + $1 * WIDTH / 1024)) $((Y + $2 * HEIGHT / 768))
}
click() { xdotool mousemove $(at "$1" "$2") click 1; }
# Keys go where the pointer is (no window manager).
key() { xdotool key "$1"; }
shot() { import -window root "$work/$1.png"; }
differ() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }

# The logos (Escape skips each), then the title.
to_title() {
  for _ in 1 2 3; do
    key Escape
    sleep 1
  done
  sleep 2
}
# "Continue" on the title (its top button; the 640 x 480 title picture
# stands in the middle of the screen), then the first stored position.
continue_game() {
  click $((192 + 480 + 80)) $((144 + 23 + 16))
  sleep 6
  key F1
  sleep 2
  xdotool mousemove $(at 600 700)
}
# zoom ROW: a row of the view list (1: 1:1, 2: 1:2, 4: 1:16); the first two
# take a click into the map, then go back to the stored position.
zoom() {
  key "$1"
  sleep 0.5
  if [ "$1" != 4 ]; then
    click 600 400
    sleep 0.5
    key F1
  fi
  sleep 2
}
# Fails unless the picture changes within a second (the vehicles move).
moving() {
  shot a
  sleep 1
  shot b
  local changed
  changed=$(differ a b)
  if [ "${changed:-0}" -gt 0 ] 2>/dev/null; then return 0; fi
  echo "FAIL  $1: nothing moves on the screen"
  failed=1
}

start
to_title
measure "title" 1
continue_game
zoom 1
moving "running game at 1:1"
measure "running game, 1:1" 10
zoom 2
measure "running game, 1:2" -
zoom 4
measure "running game, 1:16" -
zoom 1
key p
sleep 2
measure "paused with P, 1:1" 2
key p
sleep 1
click 48 87  # INFO
sleep 1
click 80 152  # its first row: statistics
sleep 3
measure "statistics screen open" 1
stop

start --window
to_title
continue_game
zoom 1
moving "running game at 1:1, --window"
measure "running game, 1:1, --window" -
stop

echo
printf '%s\n' "${rows[@]}"
load=$(cut -d' ' -f1 /proc/loadavg)
if awk -v l="$load" 'BEGIN { exit !(l > 1.5) }'; then
  echo "note: the machine is loaded (load $load): the figures read lower than on an idle machine"
fi
exit $failed
