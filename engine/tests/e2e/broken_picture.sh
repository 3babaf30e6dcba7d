#!/usr/bin/env bash
# A "TessalanderImage.bmp" whose headers no bitmap can have counts as
# unreadable: the saver captures the desktop instead (Wine's LoadImageA would
# have made an all-black picture of it). What the saver shows during the solve
# is, pixel for pixel, the renderer's frame for that desktop, with the black
# empty slot of a capture, for each kind of broken file tried here.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render tools/tessalander-render)
bitmaps=$TESS_SOURCE/engine/tests/bitmaps/hostile
cd "$WORK"

store_quick_solve
show_desktop_picture "$render" 1024x768 120

for broken in bits_per_pixel_64 data_offset_past_end; do
  cp "$bitmaps/$broken.bmp" TessalanderImage.bmp
  start_saver_until_drawn before.png "$broken"

  match_solve_frame "$render" "$SEEN" "$SHOWN" --desktop before.png --picture TessalanderImage.bmp ||
    fail "$broken: no renderer frame of the captured desktop equals the screenshot"
  check_eq "$broken: black pixels (the empty slot and its strip) during the solve" 16384 \
    "$(colour_count "$MATCHED_SHOT" 000000)"

  xdotool key space
  check_eq "$broken: exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"
  # The desktop picture is shown again once the saver's window is gone; the
  # next file's run captures it.
  wait_for_equal desktop.png after.png 10 || cp after.png "$ARTIFACTS/after-$broken.png"
  check_eq "$broken: pixels of the desktop that differ from the test picture after the saver" 0 \
    "$(differing_pixels after.png desktop.png)"
done
