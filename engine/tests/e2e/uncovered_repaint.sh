#!/usr/bin/env bash
# A window that must be painted again (covered and uncovered: here erased and
# invalidated from outside) shows the puzzle exactly as it stood, during the
# solve and while the finished picture rests: the screenshots afterwards are
# the renderer's frames, not the black of the class brush.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render engine/tessalander-render)
cd "$WORK"

"$render" --pattern TessalanderImage.bmp 1024x768
convert TessalanderImage.bmp png:picture.png
store_quick_solve

screenshot blank.png
start_win "$TESS_SCR" /s
saver=$LAST_PID
hwnd=$(wait_window WindowsScreenSaverClass "Screen Saver" 60)
[ "$hwnd" != 0 ] || fail "the saver window did not appear"
seen=$(date +%s)
shown=$(wait_for_change blank.png first.png)
[ -n "$shown" ] || fail "nothing was drawn within 20 s of the window's appearance"

check_eq "invalidating the window during the solve" "result=1" "$(probe invalidate "$hwnd")"
match_solve_frame "$render" "$seen" "$shown" --picture TessalanderImage.bmp ||
  fail "after a repaint during the solve the screen is no frame of the renderer"

# The finished picture rests for 151 ticks; a repaint then shows it whole.
for _ in $(seq 360); do
  screenshot solved.png
  [ "$(differing_pixels solved.png picture.png)" = 0 ] && break
  sleep 0.25
done
[ "$(differing_pixels solved.png picture.png)" = 0 ] || fail "the picture was never solved"
probe invalidate "$hwnd" >/dev/null
sleep 0.5
screenshot repainted.png
cp repainted.png "$ARTIFACTS/"
check_eq "pixels that differ from the picture after a repaint at rest" 0 \
  "$(differing_pixels repainted.png picture.png)"

xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$saver" 20)"
