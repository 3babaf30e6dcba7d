#!/usr/bin/env bash
# With no picture file and no settings, the saver captures the desktop and
# paints the empty slot black: what it shows during the solve is, pixel for
# pixel, one of the renderer's frames for that desktop, and the only black
# area is the empty slot with its strip. A known desktop is set up by a helper
# window that shows a test picture over the whole screen.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render engine/tessalander-render)
cd "$WORK"

"$render" --pattern desktop.bmp 1024x768
convert desktop.bmp png:desktop.png
store_quick_solve

start_win "$TESS_BUILD/engine/desktop_picture.exe" desktop.bmp 90
wait_x_window '^desktop picture$' 60 || fail "the desktop picture did not appear"
sleep 0.5
screenshot before.png
check_eq "pixels of the desktop that differ from the test picture" 0 \
  "$(differing_pixels before.png desktop.png)"

start_win "$TESS_SCR" /s
saver=$LAST_PID
wait_x_window '^Screen Saver$' 60 || fail "the saver window did not appear"
seen=$(date +%s)

shown=$(wait_for_change before.png first.png)
[ -n "$shown" ] || fail "the desktop was not scrambled within 20 s of the window's appearance"

match_solve_frame "$render" "$seen" "$shown" --desktop before.png ||
  fail "no renderer frame of the captured desktop equals the screenshot"
check_eq "black pixels (the empty slot and its strip) during the solve" 16384 \
  "$(colour_count "$MATCHED_SHOT" 000000)"

xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$saver" 20)"
