#!/usr/bin/env bash
# Checks under Xvfb how the real (SDL) game ends and idles:
#  1. --screen 1600x1200: the refusal box (answered with Enter), then exit 1;
#  2. a data folder without pictures: Cancel in the missing-picture box
#     (Escape), then exit 1;
#  3. SIGTERM while that box is open: the program ends within a second with
#     128 + 15 and has written its settings;
#  4. idle on the title screen: under 1 % of a core over 20 seconds;
#  5. SIGTERM on a continued busy game (trucks, a train; made by
#     ferrovane-idle-save) paused with P: exit 143, the settings written.
# Usage: tools/check_exits.sh
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
source tools/virtual_display.sh
fv_install_check_packages

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DFV_TESTS=OFF -DFV_BENCH=OFF >/dev/null
cmake --build build/release -j3 --target ferrovane ferrovane-standin ferrovane-idle-save \
  >/dev/null || exit 1
game="$(pwd)/build/release/ferrovane"

work="$(mktemp -d)"
fv_start_virtual_display 90 1280x1024x24
failed=0

check() {  # name, expected, actual
  if [ "$2" = "$3" ]; then echo "ok    $1"; else echo "FAIL  $1 (expected $2, got $3)"; failed=1; fi
}

# Waits until a message box shows (a window captioned "Ferrovane" without the
# game window's class), then presses a key in it.
answer_box() {
  local id=""
  for _ in $(seq 50); do
    id=$(xwininfo -root -tree 2>/dev/null | awk '/"Ferrovane": \(\)/ { print $1; exit }')
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] && xdotool key --window "$id" "$1"
}

mkdir -p "$work/empty"
(cd "$work/empty" && "$game" --window --screen 1600x1200 2>"$work/err1") &
pid=$!
sleep 1
answer_box Return
wait "$pid"
check "refused screen size exits 1" 1 $?
check "refused screen size says why in one line" 1 "$(wc -l <"$work/err1")"

(cd "$work/empty" && "$game" --window 2>"$work/err2") &
pid=$!
sleep 1
answer_box Escape
wait "$pid"
check "cancelled missing picture exits 1" 1 $?

rm -f "$work/empty/ferrovane.ini"
(cd "$work/empty" && exec "$game" --window 2>/dev/null) &
pid=$!
sleep 2
start=$(date +%s%N)
kill -TERM "$pid"
wait "$pid"
status=$?
ms=$((($(date +%s%N) - start) / 1000000))
check "SIGTERM with a box open exits 143" 143 "$status"
check "SIGTERM with a box open ends within a second" yes "$([ "$ms" -lt 1000 ] && echo yes || echo "no: ${ms} ms")"
check "SIGTERM writes the settings" yes "$([ -f "$work/empty/ferrovane.ini" ] && echo yes || echo no)"

build/release/ferrovane-standin "$work/data" >/dev/null
(cd "$work/data" && exec "$game" --window) &
pid=$!
sleep 10  # the two logos, then the title
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before=$(ticks "$pid")
sleep 20
after=$(ticks "$pid")
hz=$(getconf CLK_TCK)
percent=$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.2f", t / hz / 20 * 100 }')
echo "      idle title: ${percent} % of a core over 20 s"
check "idle title under 1 % of a core" yes "$(awk -v p="$percent" 'BEGIN { print (p < 1) ? "yes" : "no" }')"
kill -TERM "$pid"
wait "$pid"
check "SIGTERM on the title exits 143" 143 $?

mkdir -p "$work/data/save"
build/release/ferrovane-idle-save "$work/data/save/lastsave.lvl" || exit 1
rm -f "$work/data/ferrovane.ini"
(cd "$work/data" && exec "$game" --window 2>/dev/null) &
pid=$!
sleep 3
# Keys go where the pointer is (no window manager): into the game's window.
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^Ferrovane$' | tail -n 1)")"
xdotool mousemove $((X + 100)) $((Y + 100))
for _ in 1 2; do  # the two logos
  xdotool key Escape
  sleep 1
done
sleep 2
xdotool mousemove $((X + 752 * WIDTH / 1024)) $((Y + 183 * HEIGHT / 768)) click 1  # Continue
sleep 6
xdotool key p
sleep 1
kill -TERM "$pid"
wait "$pid"
check "SIGTERM on a paused busy game exits 143" 143 $?
check "SIGTERM on a paused busy game writes the settings" yes \
  "$([ -f "$work/data/ferrovane.ini" ] && echo yes || echo no)"
exit $failed
