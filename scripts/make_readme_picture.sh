#!/usr/bin/env bash
# Makes docs/cycle.gif, the README's picture: one whole cycle of the saver --
# the scramble, the solve move by move, the rest on the finished picture --
# drawn by the project's own renderer from the default picture, on a 320 x 240
# screen with the fastest settings (speed 4, shufflenum 1), one GIF frame per
# 50 ms tick. The GIF ends where the next scramble would begin, so it loops
# as the saver does.
#
#   scripts/make_readme_picture.sh [OUTPUT.gif]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/cycle.gif}")

scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target tessalander-render
render=$PWD/build/native/tools/tessalander-render

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 resources/make_default_image.py "$work/TessalanderImage.bmp"
mkdir "$work/frames"
"$render" --picture "$work/TessalanderImage.bmp" --screen 320x240 --speed 4 --shufflenum 1 \
  --seed 1 --ticks 1-450 --out "$work/frames"

# Tick 1 shows the scramble. The rest is the first run of identical frames
# after it; the cycle ends with the rest's last frame.
last=$(python3 - "$work/frames" <<'PY'
import hashlib, pathlib, sys
frames = sorted(pathlib.Path(sys.argv[1]).glob("frame-*.png"))
digests = [hashlib.sha256(f.read_bytes()).digest() for f in frames]
tick = 1
while tick < len(digests) and digests[tick] != digests[tick - 1]:
    tick += 1
while tick < len(digests) and digests[tick] == digests[tick - 1]:
    tick += 1
if tick >= len(digests):
    sys.exit("no whole cycle within the rendered ticks")
print(tick)  # frames[i] is tick i + 1, so this is the rest's last tick
PY
)
frames=()
for tick in $(seq 1 "$last"); do frames+=("$(printf '%s/frames/frame-%05d.png' "$work" "$tick")"); done

# One palette for every frame, from the solved picture and a frame with the
# white empty slot, without dithering, so unchanged areas stay unchanged and
# the rest collapses into one long frame.
convert "${frames[-1]}" "${frames[1]}" -append +dither -colors 256 -unique-colors "$work/palette.png"
mkdir -p "$(dirname "$out")"
convert -delay 5 "${frames[@]}" +dither -remap "$work/palette.png" \
  -layers RemoveDups -layers Optimize -loop 0 "$out"
echo "$out: ticks 1-$last, $(identify "$out" | wc -l) GIF frames, $(stat -c %s "$out") bytes"
