# The virtual display of the check scripts in tools/ that run the real game.

# fv_start_virtual_display FIRST SIZE: starts Xvfb at SIZE (width x height x
# depth) on one of the displays FIRST to FIRST + 8, points DISPLAY at it with
# SDL's dummy audio driver, and on exit stops the game the script started
# (its process id in `pid`, when set) and the display and removes `work`.
fv_start_virtual_display() {
  local display=":$(($1 + RANDOM % 9))"
  Xvfb "$display" -screen 0 "$2" >/dev/null 2>&1 &
  xvfb=$!
  pid=""
  trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
  export DISPLAY="$display"
  export SDL_AUDIODRIVER=dummy
  sleep 1
}
