#!/usr/bin/env bash
# The renderer treats a picture it cannot read as the saver does: a directory
# or a structurally impossible bitmap, given as --picture or --bmpfile, is no
# picture, and the frame is the desktop's, as without it. It neither stops
# nor draws black. A --picture path that names nothing is a usage error, and
# frames it cannot write are an error, not a success.
#
#   render_command_line.sh RENDERER BITMAPS-FOLDER [EMULATOR]
#
# EMULATOR, when given, runs the renderer (qemu-i386 for the i386 build).
set -euo pipefail
bitmaps=$2
render=(${3:+"$3"} "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

frame() {  # frame NAME ARGS... : renders tick 1 (the shuffle's first frame) into $work/NAME; prints the exit code
  mkdir -p "$work/$1"
  local name=$1 rc=0
  shift
  "${render[@]}" --screen 160x120 --ticks 1 --out "$work/$name" "$@" >/dev/null 2>"$work/$name.err" || rc=$?
  echo "$rc"
}

check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected $2, got $3"; failures=$((failures + 1)); fi
}

check "the desktop frame renders" 0 "$(frame desktop)"

# name | arguments: each must give exit 0 and the desktop's frame
cases=(
  "picture-directory|--picture $bitmaps"
  "picture-int-min-height|--picture $bitmaps/hostile/height_int_min.bmp"
  "picture-64-bits|--picture $bitmaps/hostile/bits_per_pixel_64.bmp"
  "picture-truncated|--picture $bitmaps/hostile/truncated.bmp"
  "bmpfile-directory|--getimage 2 --bmpfile $bitmaps"
  "bmpfile-negative-width|--getimage 2 --bmpfile $bitmaps/hostile/width_negative.bmp"
  "bmpfile-missing|--getimage 2 --bmpfile $bitmaps/no-such-file.bmp"
)
for entry in "${cases[@]}"; do
  name=${entry%%|*}
  read -ra arguments <<<"${entry#*|}"
  check "$name: exit code" 0 "$(frame "$name" "${arguments[@]}")"
  if cmp -s "$work/desktop/frame-00001.png" "$work/$name/frame-00001.png"; then
    echo "ok: $name: the desktop's frame"
  else
    echo "FAIL: $name: not the desktop's frame"; cat "$work/$name.err"; failures=$((failures + 1))
  fi
done

check "a readable picture: exit code" 0 "$(frame valid --picture "$bitmaps/valid/top_down_24.bmp")"
if cmp -s "$work/desktop/frame-00001.png" "$work/valid/frame-00001.png"; then
  echo "FAIL: a readable picture gives the desktop's frame"; failures=$((failures + 1))
else
  echo "ok: a readable picture is drawn, not the desktop"
fi
check "a --picture that names nothing: exit code" 2 "$(frame missing --picture "$bitmaps/no-such-file.bmp")"
rc=0
"${render[@]}" --ticks 0 --out "$work/no-such-folder/frames" >/dev/null 2>&1 || rc=$?
check "an --out folder that does not exist: exit code" 2 "$rc"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
