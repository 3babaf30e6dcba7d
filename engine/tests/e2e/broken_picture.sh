#!/usr/bin/env bash
# A "TessalanderImage.bmp" whose headers no bitmap can have counts as
# unreadable: the saver captures the desktop instead (Wine's LoadImageA would
# have made an all-black picture of it). What the saver shows during the solve
# is, pixel for pixel, the renderer's frame for that desktop, with the black
# empty slot of a capture, for each kind of broken file tried here.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render engine/tessalander-render)
bitmaps=$TESS_SOURCE/engine/tests/bitmaps/hostile
cd "$WORK"

"$render" --pattern desktop.bmp 1024x768
convert desktop.bmp png:desktop.png
store_quick_solve

start_win "$TESS_BUILD/engine/desktop_picture.exe" desktop.bmp 120
wait_x_window '^desktop picture$' 60 || fail "the desktop picture did not appear"
sleep 0.5
screenshot before.png
check_eq "pixels of the desktop that differ from the test picture" 0 \
  "$(differing_pixels before.png desktop.png)"

for broken in bits_per_pixel_64 data_offset_past_end; do
  cp "$bitmaps/$broken.bmp" TessalanderImage.bmp
  start_win "$TESS_SCR" /s
  saver=$LAST_PID
  wait_x_window '^Screen Saver$' 60 || fail "$broken: the saver window did not appear"
  seen=$(date +%s)

  shown=$(wait_for_change before.png first.png)
  [ -n "$shown" ] || fail "$broken: nothing was drawn within 20 s of the window's appearance"

  match_solve_frame "$render" "$seen" "$shown" --desktop before.png --picture TessalanderImage.bmp ||
    fail "$broken: no renderer frame of the captured desktop equals the screenshot"
  check_eq "$broken: black pixels (the empty slot and its strip) during the solve" 16384 \
    "$(colour_count "$MATCHED_SHOT" 000000)"

  xdotool key space
  check_eq "$broken: exit code after a key press" 0 "$(wait_exit "$saver" 20)"
  # The desktop picture is shown again once the saver's window is gone.
  for _ in $(seq 50); do
    screenshot after.png
    [ "$(differing_pixels after.png desktop.png)" = 0 ] && break
    sleep 0.1
  done
done
