#!/usr/bin/env bash
# The display changes under the running saver: in a Wine virtual desktop of
# 1024 x 768, a second program changes the resolution to 800 x 600. Before,
# the screen is a renderer's frame of the 1024 x 768 puzzle; after, the
# window covers the new screen and shows a renderer's frame of the 800 x 600
# puzzle (its blocks an eighth of the new width), shuffled anew. The change
# alone does not end the saver; a key does, with exit code 0.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render tools/tessalander-render)
cd "$WORK"

# Programs of this prefix start in a virtual desktop, whose size a program
# can change (the X server's own cannot be). Wine keeps the size it was
# changed to for the prefix's later programs, so it is changed back at the
# end, before the virtual desktop is given up.
cleanup_hooks+=("\"\$WINE64\" '$TESS_BUILD/testing/change_display.exe' 1024 768 </dev/null >>'$WORK/wine.out' 2>&1")
reg_set_for_test 'HKCU\Software\Wine\Explorer\Desktops' DisplayChange REG_SZ 1024x768
reg_set_for_test 'HKCU\Software\Wine\Explorer' Desktop REG_SZ DisplayChange
# Wine closes the virtual desktop some seconds after its last program; the
# next test on this display must not find it still open.
cleanup_hooks+=("wait_x_window_gone '^DisplayChange - Wine desktop\$' 60")

# 3:2, a shape no screen has: repeated from the corner at both sizes.
"$render" --pattern TessalanderImage.bmp 480x320
store_quick_solve
# The pointer where both layouts have it, so the system need not move it.
xdotool mousemove 200 150

screenshot blank.png
start_win "$TESS_SCR" /s
SAVER=$LAST_PID
SEEN=$(date +%s)
SHOWN=$(wait_for_change blank.png first.png)
[ -n "$SHOWN" ] || fail "nothing was drawn within 20 s of the launch"
MATCH_CROP=1024x768+0+0 match_solve_frame "$render" "$SEEN" "$SHOWN" --picture TessalanderImage.bmp ||
  fail "before the change: no renderer frame of 1024 x 768 equals the screenshot"
cp "$MATCHED_SHOT" before.png
cp before.png "$ARTIFACTS/"

CHANGED=$(date +%s)
"$WINE64" "$TESS_BUILD/testing/change_display.exe" 800 600 </dev/null >>"$WORK/wine.out" 2>&1 ||
  fail "the display could not be changed"
echo "ok: the display changed to 800 x 600"
sleep 1
MATCH_CROP=800x600+0+0 match_solve_frame "$render" "$CHANGED" "$(date +%s)" \
  --screen 800x600 --picture TessalanderImage.bmp ||
  fail "after the change: no renderer frame of 800 x 600 equals the screenshot"
[ "$(differing_pixels before.png "$MATCHED_SHOT")" != 0 ] || fail "the screen did not change"

still_running "$SAVER" 1 || fail "the display change ended the saver"
echo "ok: the change alone did not end the saver"
xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"
