#!/usr/bin/env bash
# The preview draws the screen-sized puzzle at 1:1 from its top-left corner.
# Wine does not put a child window of another process on the screen, so the
# parent here is the desktop window, where the preview's drawing shows: every
# cell must be one of the picture's own blocks, unscaled, or the empty slot.
. "$TESS_SOURCE/testing/wine/lib.sh"

dir=$WORK/saver
mkdir -p "$dir"
cp "$TESS_BUILD/default-picture/TessalanderImage.bmp" "$dir/"
reg_set_for_test 'HKCU\Software\QEL\Tessalander' speed REG_DWORD 4

desktop=$(field "$(probe desktop)" hwnd)
cd "$dir"
start_win "$TESS_SCR" /p "$desktop"
saver=$LAST_PID
cd - >/dev/null
hwnd=$(wait_window WindowsScreenSaverClass Preview)
[ "$hwnd" != 0 ] || fail "no preview window appeared"
facts=$(probe find WindowsScreenSaverClass Preview)
check_eq "preview rectangle (the desktop's client area)" "0,0,1024,768" "$(field "$facts" rect)"
check_eq "preview style" "0x52000000" "$(field "$facts" style)"

sleep 1.5  # the first tick has scrambled the picture
scrambled=0
for i in 1 2 3 4 5; do
  screenshot "$ARTIFACTS/preview-$i.png"
  cells=$(python3 "$TESS_SOURCE/testing/puzzle_cells.py" "$ARTIFACTS/preview-$i.png" \
    "$dir/TessalanderImage.bmp" 128)
  echo "screenshot $i: $(echo $cells)"
  check_eq "cells that are neither picture blocks nor the empty slot" 0 "$(field "$cells" other)"
  [ "$(field "$cells" picture_blocks)" -ge 46 ] || fail "too few picture blocks: $cells"
  [ "$(field "$cells" in_place)" -lt 48 ] && scrambled=1
  sleep 0.7
done
[ "$scrambled" = 1 ] || fail "the preview never showed a scrambled picture"
echo "ok: the preview shows the picture's blocks at 1:1, scrambled"

probe post "$hwnd" 0x10 0 0 >/dev/null  # WM_CLOSE
check_eq "exit code of the preview after WM_CLOSE" 0 "$(wait_exit "$saver" 10)"
