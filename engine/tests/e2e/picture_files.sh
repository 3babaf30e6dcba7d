#!/usr/bin/env bash
# Every kind of picture file, a row each: the files that
# engine/tests/bitmaps/make_bitmaps.py --table writes (and its table.txt says
# what each shows), one after another as "TessalanderImage.bmp", over a known
# desktop. What the saver shows is, pixel for pixel, the renderer's frame for
# the same file and desktop:
#   picture  the file, read as Windows reads it, with the white empty slot;
#   desktop  a file the header check refuses, so the desktop is captured,
#            with the black empty slot (Wine's LoadImageA would have made an
#            all-black picture of most, and faults on some);
#   black    a file that Windows shows but Wine's LoadImageA makes black: the
#            frame of a black picture of its size (the row says why).
# Each row is a short run: the first frame, the scrambled picture, is matched
# (a frame during the solve if that one was caught half drawn), then a key
# ends the saver. The rows all run, and the failures are listed at the end.
#
#   picture_files.sh [NAME...]   only the rows named
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render tools/tessalander-render)
cd "$WORK"
python3 "$TESS_SOURCE/engine/tests/bitmaps/make_bitmaps.py" --table table 1024x768

store_quick_solve
show_desktop_picture "$render" 1024x768 900

# The first frame against the renderer's first frames for the possible
# seeds (see match_solve_frame), into the row's artifacts: the screenshot
# may come a few ticks after the shuffle.
match_first_frame() {  # match_first_frame OUT SOURCE-ARGS...
  local out=$1
  shift
  local seeds
  # The likeliest seconds first.
  for seeds in "$SEEN-$SHOWN" "$((SEEN - 2))-$((SHOWN + 1))"; do
    "$render" "$@" --speed 4 --seed "$seeds" --ticks 1-10 --match first.png --out "$out" >/dev/null 2>&1 &&
      return 0
  done
  return 1
}

# The width and height (without its sign) a file's 40-byte or larger header states.
header_size() {  # header_size FILE
  od -An -t d4 -j 18 -N 8 "$1" | awk '{ print $1 "x" ($2 < 0 ? -$2 : $2) }'
}

rows=0
failures=()
declare -A shown=()
while read -r name shows why; do
  [ $# -eq 0 ] || [[ " $* " == *" $name "* ]] || continue
  rows=$((rows + 1))
  out=$ARTIFACTS/$name
  mkdir -p "$out"
  # Links and FIFOs as they are (a FIFO would not be read).
  rm -f TessalanderImage.bmp
  cp -RP "table/$name.bmp" TessalanderImage.bmp
  case "$shows" in
    picture) source=(--picture TessalanderImage.bmp) slot=FFFFFF ;;
    desktop) source=(--desktop before.png --picture TessalanderImage.bmp) slot=000000 ;;
    black)
      convert -size "$(header_size TessalanderImage.bmp)" xc:black -type truecolor BMP3:black.bmp
      source=(--picture black.bmp) slot=FFFFFF
      ;;
    *) fail "$name: the table says '$shows'" ;;
  esac

  start_saver_until_drawn before.png "$name"
  cp first.png "$out/"
  shot=first.png
  if ! match_first_frame "$out" "${source[@]}"; then
    if ARTIFACTS=$out match_solve_frame "$render" "$SEEN" "$SHOWN" "${source[@]}" >/dev/null; then
      shot=$MATCHED_SHOT
    else
      shot=
    fi
  fi
  if [ -z "$shot" ]; then
    failures+=("$name ($shows): no renderer frame equals the screenshot")
  elif [ "$(colour_count "$shot" "$slot")" != 16384 ]; then
    failures+=("$name ($shows): not 16384 pixels of the empty slot's colour $slot")
  else
    shown[$shows]=$((${shown[$shows]:-0} + 1))
    echo "ok: $name: $shows${why:+ ($why)}"
  fi

  xdotool key space
  [ "$(wait_exit "$SAVER" 20)" = 0 ] || failures+=("$name: the saver did not end with exit code 0 on a key")
  # The next row's first frame is told from this desktop.
  wait_for_equal desktop.png after.png 10 || fail "$name: the desktop did not come back after the saver"
done <table/table.txt

echo "$rows rows: ${shown[picture]:-0} pictures, ${shown[desktop]:-0} refused (the desktop)," \
  "${shown[black]:-0} black under Wine; ${#failures[@]} failed"
for failure in "${failures[@]}"; do echo "FAIL: $failure" >&2; done
[ ${#failures[@]} -eq 0 ] || fail "${#failures[@]} of $rows rows"
