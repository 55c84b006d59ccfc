#!/usr/bin/env bash
# Checks windowed play under Xvfb, the way a player starts a game:
#  1. the release game starts with --window on the stand-in data folder;
#  2. after the logos (skipped with Escape) the title shows;
#  3. a click on the title's "new game" and Enter on each screen of the
#     start (the set-up, the company name, the rivals, the start year) show
#     the generated world;
#  4. resting the mouse for about a second at the top, right, bottom and
#     left edge of the game scrolls the world each time (the screenshot after
#     each edge differs from the one before it in most of the view).
# The screenshots (title.png, world.png, edge-top.png, edge-right.png,
# edge-bottom.png, edge-left.png) go to FOLDER, by default a new temporary
# folder that is kept and named at the end. Not part of ./test.
# Usage: tools/check_play_window.sh [FOLDER]
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
source tools/virtual_display.sh
fv_install_check_packages
fv_install_missing imagemagick

shots="${1:-$(mktemp -d -t ferrovane-play-window-XXXXXX)}"
mkdir -p "$shots" || exit 1
shots="$(cd "$shots" && pwd)"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DFV_TESTS=OFF -DFV_BENCH=OFF >/dev/null
cmake --build build/release -j3 --target ferrovane ferrovane-standin >/dev/null || exit 1
game="$(pwd)/build/release/ferrovane"

work="$(mktemp -d)"
build/release/ferrovane-standin "$work/data" >/dev/null || exit 1
fv_start_virtual_display 90 1280x1024x24
failed=0

check() {  # name, expected, actual
  if [ "$2" = "$3" ]; then echo "ok    $1"; else echo "FAIL  $1 (expected $2, got $3)"; failed=1; fi
}

(cd "$work/data" && exec "$game" --window 2>"$work/err") &
pid=$!

window=""
for _ in $(seq 50); do
  window=$(xdotool search --name '^Ferrovane$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.2
done
check "the game window opens" yes "$([ -n "$window" ] && echo yes || echo no)"
[ -n "$window" ] || exit 1
eval "$(xdotool getwindowgeometry --shell "$window")"  # WIDTH, HEIGHT

# Game screen (1024 x 768) to window coordinates, for a window the back end
# may have made smaller.
at() { echo $(($1 * WIDTH / 1024)) $(($2 * HEIGHT / 768)); }
move() { xdotool mousemove --window "$window" $(at "$1" "$2"); }
shot() { import -window "$window" "$shots/$1.png"; }
# Number of pixels in which two screenshots differ.
differ() { compare -metric AE "$shots/$1.png" "$shots/$2.png" null: 2>&1 | cut -d' ' -f1; }
# Share (in %) of pixels that are not black.
lit() { convert "$shots/$1.png" -fill white +opaque black -format '%[fx:int(100*mean)]' info:; }
pixels=$((WIDTH * HEIGHT))

# Escape skips each logo; the title then stays as it is.
for _ in 1 2 3; do
  xdotool key --window "$window" Escape
  sleep 1
done
for _ in $(seq 20); do
  shot title
  sleep 0.5
  shot title-again
  [ "$(differ title title-again)" = 0 ] && break
done
rm -f "$shots/title-again.png"
check "the title shows" yes "$([ "$(lit title)" -gt 20 ] && echo yes || echo no)"

# "New game": the title's 160 x 32 button at (480, 113) of the 640 x 480
# picture, which stands in the middle of the 1024 x 768 screen.
move $((192 + 480 + 80)) $((144 + 113 + 16))
xdotool click 1
sleep 2
# The new world's set-up, the company name, the offered rivals and the start
# year each take Enter.
for _ in 1 2 3 4; do
  xdotool key --window "$window" Return
  sleep 4
done
for _ in $(seq 60); do
  sleep 0.5
  shot world
  [ "$(differ title world)" -gt $((pixels / 2)) ] && break
done
sleep 2
move 512 384
sleep 0.5
shot world
check "the world replaces the title" yes "$([ "$(differ title world)" -gt $((pixels / 2)) ] && echo yes || echo no)"
check "the world fills the view" yes "$([ "$(lit world)" -gt 60 ] && echo yes || echo no)"

# Each edge for about a second; the mouse then goes back to the middle,
# which stops the strip's timers.
before=world
for edge in "top 512 0" "right 1023 384" "bottom 512 767" "left 0 384"; do
  set -- $edge
  move "$2" "$3"
  sleep 1
  move 512 384
  sleep 0.5
  shot "edge-$1"
  changed=$(differ "$before" "edge-$1")
  check "resting at the $1 edge scrolls the world" yes \
    "$([ "$changed" -gt $((pixels / 4)) ] && echo yes || echo "no: $changed pixels changed")"
  before="edge-$1"
done

kill -TERM "$pid"
wait "$pid" 2>/dev/null
pid=""
echo "      screenshots in $shots"
exit $failed
