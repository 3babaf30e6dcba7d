#!/usr/bin/env bash
# With no picture file and no settings, the saver captures the desktop and
# paints the empty slot black: what it shows during the solve is, pixel for
# pixel, one of the renderer's frames for that desktop, and the only black
# area is the empty slot with its strip. A known desktop is set up by a helper
# window that shows a test picture over the whole screen.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render tools/tessalander-render)
cd "$WORK"

store_quick_solve
show_desktop_picture "$render" 1024x768 90

start_saver_until_drawn before.png

match_solve_frame "$render" "$SEEN" "$SHOWN" --desktop before.png ||
  fail "no renderer frame of the captured desktop equals the screenshot"
check_eq "black pixels (the empty slot and its strip) during the solve" 16384 \
  "$(colour_count "$MATCHED_SHOT" 000000)"

xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"
