#!/usr/bin/env bash
# Checks the real (SDL) sound output without ears: runs the game on a copy of
# the stand-in data folder with a test tune as music/track02.wav, under Xvfb
# (or SDL's dummy video driver when Xvfb is missing) and SDL's file-writing
# audio driver, for as long as the logos and the title take, then prints the
# peak level of what was written. The title plays track 2, so the peak must be
# well above 0.
# Usage: tools/check_sdl_audio.sh [seconds, default 12]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-12}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DFV_TESTS=OFF -DFV_BENCH=OFF >/dev/null
cmake --build build/release -j3 >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
build/release/ferrovane-standin "$work/data" >/dev/null
mkdir -p "$work/data/music"
# Effects stay off: only the music device writes the output file.
printf '[OPTIONEN]\r\nSound=0\r\nAudio=1\r\n' >"$work/data/ferrovane.ini"
python3 - "$work/data/music/track02.wav" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(22050)
    frames = bytearray()
    for i in range(22050 * 20):
        v = int(12000 * math.sin(2 * math.pi * 440 * i / 22050))
        frames += struct.pack("<hh", v, v)
    w.writeframes(bytes(frames))
PY

game="$(pwd)/build/release/ferrovane"
export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$work/out.raw"
runner=()
if command -v xvfb-run >/dev/null; then
  runner=(xvfb-run -a)
else
  export SDL_VIDEODRIVER=dummy
fi
(cd "$work/data" && timeout --signal=TERM "$seconds" "${runner[@]}" "$game" --window) || true

python3 - "$work/out.raw" <<'PY'
import array, os, sys
path = sys.argv[1]
if not os.path.exists(path) or os.path.getsize(path) == 0:
    print("peak 0 (no output written)")
    sys.exit(1)
samples = array.array("h")
with open(path, "rb") as f:
    data = f.read()
samples.frombytes(data[: len(data) // 2 * 2])
peak = max(abs(s) for s in samples) if samples else 0
print(f"peak {peak} of 32767 over {len(samples) // 2} frames")
sys.exit(0 if peak > 0 else 1)
PY
