#!/usr/bin/env bash
# The main job: builds the real Tessalander.scr (64-bit) and its default
# picture, and runs it full screen ("/s") under wine64, on your X display
# when there is one and on a virtual one otherwise. For the run the settings
# are the fastest (`speed` 4, `shufflenum` 1), so one whole cycle -- the
# scramble, the solve move by move, the rest on the finished picture, the
# next scramble -- takes about 15 seconds. It saves screenshots and an
# animated GIF of that cycle into the folder it names at the end, then ends
# the saver with a key press, as a user would.
#
#   scripts/run.sh [OUTPUT-FOLDER] [SECONDS]
#
# SECONDS is how long to record (default 17: one cycle and a little more).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

out=$(realpath -m "${1:-$root/tessalander-run}")
seconds=${2:-17}

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tessalander_scr default_image

scr=$root/build/win64/Tessalander.scr
envdir=$root/build/run-env
rm -rf "$out"
mkdir -p "$out"

# Use the caller's display when it answers; otherwise a virtual one.
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export USE_DISPLAY=$DISPLAY
fi
testing/wine/env.sh start "$envdir" >/dev/null
frames=$(mktemp -d)
trap 'testing/wine/env.sh stop "$envdir"; rm -rf "$frames"' EXIT
# shellcheck disable=SC1091
. "$envdir/env"

# The run's settings, in the throw-away Wine prefix's registry.
key='HKCU\Software\QEL\Tessalander'
"$WINE64" reg add "$key" /v speed /t REG_DWORD /d 4 /f >/dev/null 2>&1
"$WINE64" reg add "$key" /v shufflenum /t REG_DWORD /d 1 /f >/dev/null 2>&1

# The saver looks for its default picture in the current directory.
workdir=$envdir/work
mkdir -p "$workdir"
cp "$root/build/win64/default-picture/TessalanderImage.bmp" "$workdir/"

echo "Running Tessalander.scr /s on display $DISPLAY for ${seconds}s"
(cd "$workdir" && exec "$WINE64" "$scr" /s </dev/null >"$envdir/saver.log" 2>&1) &
saver=$!

# Frames for the GIF as fast as the display gives them (half size), and a
# full-size screenshot every two seconds.
start=$(date +%s%N)
next_shot=0
n=0
while :; do
  now=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$now" -lt $(( seconds * 1000 )) ] || break
  kill -0 "$saver" 2>/dev/null || { echo "the saver ended early" >&2; break; }
  if [ "$now" -ge "$next_shot" ]; then
    import -display "$DISPLAY" -window root "png:$out/$(printf 'shot-%05d-ms.png' "$now")"
    next_shot=$(( next_shot + 2000 ))
  else
    import -display "$DISPLAY" -window root -resize 50% -quality 10 \
      "png:$frames/$(printf '%06d' "$n")-$now.png"
    n=$(( n + 1 ))
  fi
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

# The GIF plays in real time: each frame lasts until the next was taken.
if [ "$n" -gt 1 ]; then
  args=()
  previous=
  for frame in "$frames"/*.png; do
    at=${frame##*-}
    at=${at%.png}
    if [ -n "$previous" ]; then
      args+=(-delay "$(( (at - previous_at + 5) / 10 ))" "$previous")
    fi
    previous=$frame
    previous_at=$at
  done
  args+=(-delay 10 "$previous")
  convert -loop 0 "${args[@]}" -layers Optimize "$out/cycle.gif"
  echo "Animated GIF of ${seconds}s ($n frames): $out/cycle.gif"
fi
echo "Screenshots: $out"
[ "$status" = 0 ]
