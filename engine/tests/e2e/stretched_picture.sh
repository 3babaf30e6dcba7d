#!/usr/bin/env bash
# A "TessalanderImage.bmp" of the screen's shape but not its size is fitted
# to the screen by the program's own scaler, the renderer's too: what the
# saver shows during the solve is, pixel for pixel, one of the renderer's
# frames, and the first frame already shows the picture scrambled at the
# screen's size. A key ends the saver with exit code 0.
#
#   stretched_picture.sh WxH    the picture's size (1280x1024 is shrunk on a
#                               1024 x 768 screen, 640x480 enlarged)
. "$TESS_SOURCE/testing/wine/lib.sh"

size=${1:?the picture size, WxH}
render=$(native_tool tessalander-render tools/tessalander-render)
cd "$WORK"

"$render" --pattern TessalanderImage.bmp "$size"
store_quick_solve

screenshot blank.png
start_saver_until_drawn blank.png
cp first.png "$ARTIFACTS/"

match_solve_frame "$render" "$SEEN" "$SHOWN" --picture TessalanderImage.bmp ||
  fail "no renderer frame of the $size picture fitted to the screen equals the screenshot"
check_eq "white pixels (the empty slot and its strip) during the solve" 16384 \
  "$(colour_count "$MATCHED_SHOT" FFFFFF)"

xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"
