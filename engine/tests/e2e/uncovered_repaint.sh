#!/usr/bin/env bash
# A window that must be painted again (covered and uncovered: here erased and
# invalidated from outside) shows the puzzle exactly as it stood, during the
# solve and while the finished picture rests: the screenshots afterwards are
# the renderer's frames, not the black of the class brush.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render tools/tessalander-render)
cd "$WORK"

"$render" --pattern TessalanderImage.bmp 1024x768
convert TessalanderImage.bmp png:picture.png
store_quick_solve

screenshot blank.png
start_saver_until_drawn blank.png
hwnd=$(wait_window WindowsScreenSaverClass "Screen Saver")
[ "$hwnd" != 0 ] || fail "the probe found no saver window"

check_eq "invalidating the window during the solve" "result=1" "$(probe invalidate "$hwnd")"
match_solve_frame "$render" "$SEEN" "$SHOWN" --picture TessalanderImage.bmp ||
  fail "after a repaint during the solve the screen is no frame of the renderer"

# The finished picture rests for 151 ticks; a repaint then shows it whole.
wait_for_equal picture.png solved.png 90 || fail "the picture was never solved"
probe invalidate "$hwnd" >/dev/null
sleep 0.5
screenshot repainted.png
cp repainted.png "$ARTIFACTS/"
check_eq "pixels that differ from the picture after a repaint at rest" 0 \
  "$(differing_pixels repainted.png picture.png)"

xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"
