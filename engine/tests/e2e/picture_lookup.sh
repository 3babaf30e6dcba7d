#!/usr/bin/env bash
# Which "TessalanderImage.bmp" the saver shows: the one in its current
# directory, where Windows' LoadImageA opens a name without a folder, also
# when another lies beside the program, where Wine's LoadImageA would look
# first; and the header check reads that same file, so a broken one beside
# the program changes nothing. A current directory so deep that the
# picture's full path does not fit the picture name's buffer (256 bytes)
# counts as no picture: the desktop is captured, with its black empty slot.
# Each run is matched against the renderer's frames pixel for pixel.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render tools/tessalander-render)
cd "$WORK"

store_quick_solve
show_desktop_picture "$render" 1024x768 150

# The program in a folder of its own, with a picture beside it.
mkdir program
cp "$TESS_SCR" program/
TESS_SCR=$WORK/program/$(basename "$TESS_SCR")
"$render" --pattern TessalanderImage.bmp 1024x768
convert TessalanderImage.bmp -negate -type truecolor BMP3:other.bmp

# A folder whose Windows path, "Z:" and the folder, is 240 characters long:
# with "\TessalanderImage.bmp" the full path takes 261.
deep=$WORK
while [ $((2 + ${#deep})) -lt 230 ]; do deep=$deep/deeper; done
deep=$deep/$(printf 'd%.0s' $(seq $((240 - 2 - ${#deep} - 1))))
mkdir -p "$deep"
cp TessalanderImage.bmp "$deep/"
check_eq "the deep folder's Windows path length" 240 "$((2 + ${#deep}))"

# beside the program | current directory | what the saver shows
for run in "other:$WORK:picture" "broken:$WORK:picture" "other:$deep:desktop"; do
  IFS=: read -r beside folder shows <<<"$run"
  case "$beside" in
    other) cp other.bmp program/TessalanderImage.bmp ;;
    broken) cp "$TESS_SOURCE/engine/tests/bitmaps/hostile/bits_per_pixel_64.bmp" program/TessalanderImage.bmp ;;
  esac
  what="$beside picture beside the program, $shows from a folder of ${#folder} characters"
  # The saver starts in the folder it is to look in.
  cd "$folder"
  start_saver_until_drawn "$WORK/before.png" "$what"
  cd "$WORK"

  if [ "$shows" = picture ]; then
    match_solve_frame "$render" "$SEEN" "$SHOWN" --picture TessalanderImage.bmp ||
      fail "$what: no renderer frame of the current directory's picture equals the screenshot"
    slot=FFFFFF
  else
    match_solve_frame "$render" "$SEEN" "$SHOWN" --desktop before.png ||
      fail "$what: no renderer frame of the captured desktop equals the screenshot"
    slot=000000
  fi
  check_eq "$what: pixels of the empty slot's colour $slot during the solve" 16384 \
    "$(colour_count "$MATCHED_SHOT" "$slot")"

  xdotool key space
  check_eq "$what: exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"
  wait_for_equal desktop.png after.png 10 ||
    fail "$what: the desktop picture did not come back after the saver"
done
