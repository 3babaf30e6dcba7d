#!/usr/bin/env bash
# On a display of 256 colours (the fixture's 8-bit Xvfb, with the program's
# colormap installed as a window manager would): with the default picture,
# what the saver shows during the solve is, pixel for pixel, the renderer's
# frame at 256 colours, its empty slot pure white; at rest it shows at least
# 100 colours and, averaged over 4 x 4 pixels, keeps within 8 levels a
# channel of the picture as 24 bits show it. With no picture, the desktop it
# captures keeps its colours: the solve is the renderer's frame of that
# desktop, its empty slot pure black.
. "$TESS_SOURCE/testing/wine/lib.sh"

render=$(native_tool tessalander-render tools/tessalander-render)
installer=$(native_tool install_colormap testing/install_colormap)
cd "$WORK"

"$installer" >colormaps.log 2>&1 &
cleanup_hooks+=("kill $! 2>/dev/null")

cp "$TESS_BUILD/default-picture/TessalanderImage.bmp" .
# The picture as spread over the screen, at 24 bits and at 256 colours: what
# the window shows at rest.
mkdir -p full dithered
"$render" --picture TessalanderImage.bmp --work --out full || fail "the renderer failed"
"$render" --picture TessalanderImage.bmp --work --colours 256 --out dithered || fail "the renderer failed"
store_quick_solve

screenshot blank.png
start_saver_until_drawn blank.png
window=$(xdotool search --onlyvisible --name '^Screen Saver$' | head -n 1)
xwininfo -id "$window" | grep -q 'Colormap: .*(installed)' ||
  fail "the saver window's colormap is not installed: $(cat colormaps.log)"
echo "ok: the saver window's colormap is installed"

match_solve_frame "$render" "$SEEN" "$SHOWN" --picture TessalanderImage.bmp --colours 256 ||
  fail "no renderer frame at 256 colours equals the screenshot taken during the solve"
# The slot and its strip, 16384 pixels, and whatever stars of the picture are
# white.
white=$(colour_count "$MATCHED_SHOT" FFFFFF)
[ "$white" -ge 16384 ] || fail "only $white pure white pixels during the solve: the empty slot is not white"
echo "ok: the empty slot is pure white ($white white pixels)"

rested=
wait_for_equal dithered/work-00000.png rest.png 90 && rested=1
cp rest.png "$ARTIFACTS/"
[ -n "$rested" ] || fail "no screenshot within 90 s equals the renderer's picture at 256 colours"
echo "ok: at rest the screen is the renderer's picture at 256 colours"
colours=$(identify -format %k rest.png)
[ "$colours" -ge 100 ] || fail "the picture at rest shows $colours colours, fewer than 100"
echo "ok: the picture at rest shows $colours colours"
# Both averaged over 4 x 4 pixels, the mean of the channels' differences.
convert rest.png -scale 25% png24:rest-4x4.png
convert full/work-00000.png -scale 25% png24:full-4x4.png
# compare prints the mean as a fraction of the largest level, in brackets.
mae=$(compare -metric MAE rest-4x4.png full-4x4.png null: 2>&1 || true)
difference=$(sed -E 's/.*\((.*)\).*/\1/' <<<"$mae" | awk '{ printf "%.2f", $1 * 255 }')
awk -v d="$difference" 'BEGIN { exit !(d <= 8) }' ||
  fail "averaged over 4 x 4 pixels the picture differs by $difference levels, more than 8"
echo "ok: averaged over 4 x 4 pixels the picture differs by $difference levels a channel"

xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"

# The desktop, captured: the test picture as the helper window shows it with
# the default palette.
rm TessalanderImage.bmp
"$render" --pattern desktop.bmp 1024x768
start_win "$TESS_BUILD/testing/desktop_picture.exe" desktop.bmp 90
wait_x_window '^desktop picture$' 60 || fail "the desktop picture did not appear"
sleep 0.5
screenshot before.png
start_saver_until_drawn before.png "desktop"
match_solve_frame "$render" "$SEEN" "$SHOWN" --desktop before.png --colours 256 ||
  fail "no renderer frame of the captured desktop equals the screenshot"
check_eq "black pixels (the empty slot and its strip) during the solve" 16384 \
  "$(colour_count "$MATCHED_SHOT" 000000)"

xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$SAVER" 20)"
