#!/usr/bin/env bash
# Fails when a source file includes a folder above its own layer, naming the
# file and the include. The layers, from the bottom:
#   platform → gfx → state → simulation (world, economy, transport, cities,
#   game) → interface (view, panel, screens, sound) → app
# Folders of one layer may include each other.
set -euo pipefail
cd "$(dirname "$0")/.."

layer_of() {
  case "$1" in
    platform) echo 0 ;;
    gfx) echo 1 ;;
    state) echo 2 ;;
    world | economy | transport | cities | game) echo 3 ;;
    view | panel | screens | sound) echo 4 ;;
    app) echo 5 ;;
    *) echo -1 ;;
  esac
}

status=0
while IFS= read -r file; do
  folder=${file#src/}
  folder=${folder%%/*}
  own=$(layer_of "$folder")
  [ "$own" -ge 0 ] || continue
  while IFS=: read -r line include; do
    target=${include#*\"}
    target=${target%%/*}
    level=$(layer_of "$target")
    if [ "$level" -gt "$own" ]; then
      echo "$file:$line: includes \"${include#*\"} from a layer above $folder/"
      status=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]*/' "$file" | sed 's/^\([0-9]*\):[^"]*/\1:/')
  # SDL belongs to the SDL back end alone.
  if [ "${file#src/platform/sdl/}" = "$file" ] && grep -qn '#include[[:space:]]*[<"]SDL' "$file"; then
    echo "$file: includes SDL outside src/platform/sdl/"
    status=1
  fi
done < <(git ls-files 'src/*.cpp' 'src/*.h')

if [ "$status" -ne 0 ]; then
  echo "Layer check failed: a file includes a folder above its own layer."
fi
exit "$status"
