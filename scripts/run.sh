#!/usr/bin/env bash
# The main job: builds the real Tessalander.scr (64-bit) and runs it full
# screen ("/s") under wine64, on your X display when there is one and on a
# virtual one otherwise. It saves screenshots of what the saver shows into
# the folder it names at the end, then ends the saver with a key press, as a
# user would.
#
#   scripts/run.sh [OUTPUT-FOLDER] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

out=$(realpath -m "${1:-$root/tessalander-run}")
seconds=${2:-20}

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tessalander_scr

scr=$root/build/win64/Tessalander.scr
envdir=$root/build/run-env
rm -rf "$out"
mkdir -p "$out"

# Use the caller's display when it answers; otherwise a virtual one.
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export USE_DISPLAY=$DISPLAY
fi
testing/wine/env.sh start "$envdir" >/dev/null
trap 'testing/wine/env.sh stop "$envdir"' EXIT
# shellcheck disable=SC1091
. "$envdir/env"

# The saver looks for its default picture in the current directory.
workdir=$envdir/work
mkdir -p "$workdir"
if [ -f "$root/build/win64/TessalanderImage.bmp" ]; then
  cp "$root/build/win64/TessalanderImage.bmp" "$workdir/"
elif [ -z "${USE_DISPLAY:-}" ]; then
  # A virtual display's desktop is plain black, and so would be a capture of
  # it: give the saver a colourful picture of the screen's size instead.
  convert -size 1024x768 -seed 1 plasma:fractal -type truecolor "BMP3:$workdir/TessalanderImage.bmp"
fi

echo "Running Tessalander.scr /s on display $DISPLAY for ${seconds}s"
(cd "$workdir" && exec "$WINE64" "$scr" /s </dev/null >"$envdir/saver.log" 2>&1) &
saver=$!

for ((i = 1; i <= seconds; i++)); do
  sleep 1
  import -display "$DISPLAY" -window root "png:$out/$(printf 'shot-%03d.png' "$i")"
done

# Any key ends a running saver.
xdotool key space
status=running
for _ in $(seq 100); do
  if ! kill -0 "$saver" 2>/dev/null; then
    status=0
    wait "$saver" || status=$?
    break
  fi
  sleep 0.1
done
echo "Saver ended by a key press: exit code $status"
echo "Screenshots: $out"
[ "$status" = 0 ]
