#!/usr/bin/env bash
# The Browse button: the system's Open dialog fills PathField, and whatever
# comes back, a choice or the text as it was after Cancel, is made to name a
# ".bmp". An Open dialog that fails (a path longer than it may return) shows
# the chooser's error box and leaves PathField as it was. OK stores the field.
. "$TESS_SOURCE/testing/wine/lib.sh"
. "$TESS_SOURCE/settings/tests/e2e/dialog_lib.sh"

clear_settings
pics="$WINEPREFIX/drive_c/tess_pics"
long_dir="tess_pics/$(printf 'd%.0s' {1..60})/$(printf 'e%.0s' {1..60})"
mkdir -p "$pics" "$WINEPREFIX/drive_c/$long_dir"
: >"$pics/cat.jpg"
: >"$pics/dog.BMP"
: >"$WINEPREFIX/drive_c/$long_dir/long.bmp"
cleanup_hooks+=("rm -rf '$pics'")

# browse PATH: presses Browse, types PATH into the Open dialog and presses
# Enter; with no PATH, presses Esc. Then waits until only the configuration
# dialog is left.
browse() {
  click IDC_BROWSE
  wait_for other
  if [ -n "${SHOT:-}" ]; then
    shoot_dialog "$SHOT" other
    SHOT=
  fi
  if [ $# -eq 1 ]; then
    xdotool type --delay 20 "$1"
    xdotool key Return
  else
    xdotool key Escape
  fi
  wait_for alone
}

# Replaces PathField's text as a user would.
type_path() {
  click IDC_PATH
  xdotool key End shift+Home Delete
  [ -z "$1" ] || xdotool type --delay 20 "$1"
  refresh
  check_eq "typed" "$1" "$(text_of IDC_PATH)"
}

open_config "/c"

# path typed in the Open dialog        PathField afterwards
rows=(
  'C:\tess_pics\cat.jpg|C:\tess_pics\cat.jpg.bmp'
  'C:\tess_pics\dog.BMP|C:\tess_pics\dog.BMP'
)
SHOT=open_dialog
for row in "${rows[@]}"; do
  browse "${row%|*}"
  check_eq "PathField after choosing ${row%|*}" "${row#*|}" "$(text_of IDC_PATH)"
done

# Cancel keeps the text, with the rule applied.
# text before Browse                   PathField after Cancel
rows=(
  'C:\tess_pics\cat|C:\tess_pics\cat.bmp'
  '|.bmp'
  'C:\my.bmpfiles\cat.jpg|C:\my.bmpfiles\cat.jpg'
  'C:\tess_pics\cat.Bmp|C:\tess_pics\cat.Bmp.bmp'
)
for row in "${rows[@]}"; do
  type_path "${row%|*}"
  browse
  check_eq "PathField after cancelling with '${row%|*}'" "${row#*|}" "$(text_of IDC_PATH)"
done

# A typed text with no room left for ".bmp" is cut so the result still fits
# PathBuffer's 255 characters.
xs=$(printf 'x%.0s' {1..250})
type_path "C:\\$xs"
browse
check_eq "PathField after cancelling with 253 characters" "C:\\${xs:0:248}.bmp" "$(text_of IDC_PATH)"

# A path longer than the Open dialog may return: the error box, and the
# field keeps its text.
type_path 'C:\tess_pics\previous.bmp'
click IDC_BROWSE
wait_for other
xdotool type --delay 5 "C:\\${long_dir//\//\\}\\long.bmp"
xdotool key Return
for _ in $(seq 50); do
  refresh
  [ "$(title_of other)" = "Getbmpadress" ] && break
  sleep 0.1
done
shoot_dialog chooser_error_box other
check_eq "error box caption" "Getbmpadress" "$(title_of other)"
check_eq "error box text" "ERROR!" "$(text_of other 65535)"
click other 1
wait_for alone
check_eq "PathField after the failed Open dialog" 'C:\tess_pics\previous.bmp' "$(text_of IDC_PATH)"

# OK stores what the field shows.
type_path 'C:\tess_pics\cat'
browse
click IDOK
expect_exit_255 "OK"
check_eq "stored path" 'bmpfile REG_SZ C:\tess_pics\cat.bmp' "$(stored bmpfile)"
clear_settings
