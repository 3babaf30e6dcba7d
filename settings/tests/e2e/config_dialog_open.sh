#!/usr/bin/env bash
# The configuration dialog as the configure modes open it: at the screen's
# top-left corner, with every text of its template, the first-use choices,
# and a picture of it in the artifacts. Cancel, Esc and the close box end it
# without writing anything, and every configure mode ends with -1. A program
# without the template gets the hook's failure box instead.
. "$TESS_SOURCE/testing/wine/lib.sh"
. "$TESS_SOURCE/settings/tests/e2e/dialog_lib.sh"

clear_settings

open_config "/c"
shoot_dialog config_dialog_first_use
check_eq "title" "Tessalanderの設定 (version 1.20)" "$(title_of)"
read -r _ _ _ left top _ <<<"$(window_line)"
check_eq "dialog position" "0 0" "$left $top"

# id     text shown
texts=(
  "IDOK|OK"
  "IDCANCEL|ｷｬﾝｾﾙ"
  "IDC_PATH|"
  "IDC_BROWSE|参照"
  "IDC_BACK_GROUP|背景色の設定"
  "IDC_STATIC_TEXT|Orvelstad Nube"
  "IDC_SOURCE_DESKTOP|デスクトップから取り込む"
  "IDC_SOURCE_BITMAP|ビットマップから取り込む"
  "IDC_SOURCE_GROUP|グラフィックの設定"
  "IDC_SHUFFLE_GROUP|シャッフルする回数の設定"
  "IDC_SPEED_GROUP|速度の設定"
  "IDC_TILE|常に並べて表示する"
  "IDC_BACK_WHITE|白"
  "IDC_BACK_BLACK|黒"
  "IDC_SHUFFLE_FEW|少し"
  "IDC_SHUFFLE_NORMAL|普通"
  "IDC_SHUFFLE_MANY|多い"
  "IDC_SHUFFLE_TOO_MANY|多すぎ"
  "IDC_SPEED_SLOW|遅い"
  "IDC_SPEED_NORMAL|普通"
  "IDC_SPEED_FAST|速い"
  "IDC_SPEED_FASTEST|超速"
  "IDC_ABOUT|about"
  "IDC_DELETE|delete"
)
for row in "${texts[@]}"; do
  check_eq "text of control ${row%%|*}" "${row#*|}" "$(text_of "${row%%|*}")"
done
check_eq "controls in the dialog" 24 "$(grep -c '^control config ' "$STATE")"

# First use: the second choice of each group, the box unticked, the field
# empty and enabled.
expect_checks "first use" IDC_SPEED_SLOW=0 IDC_SPEED_NORMAL=1 IDC_SPEED_FAST=0 IDC_SPEED_FASTEST=0 IDC_SHUFFLE_FEW=0 IDC_SHUFFLE_NORMAL=1 IDC_SHUFFLE_MANY=0 IDC_SHUFFLE_TOO_MANY=0 \
  IDC_BACK_WHITE=0 IDC_BACK_BLACK=1 IDC_SOURCE_DESKTOP=0 IDC_SOURCE_BITMAP=1 IDC_TILE=0
check_eq "PathField enabled at first use" 1 "$(enabled IDC_PATH)"

# Changes, then Cancel: nothing is written.
click IDC_SPEED_FASTEST
click IDC_TILE
click IDC_SOURCE_DESKTOP
refresh
expect_checks "after clicks" IDC_SPEED_FASTEST=1 IDC_SPEED_NORMAL=0 IDC_TILE=1 IDC_SOURCE_DESKTOP=1 IDC_SOURCE_BITMAP=0
check_eq "PathField after choosing the desktop" 0 "$(enabled IDC_PATH)"
click IDCANCEL
expect_exit_255 "Cancel"
! key_exists "$KEY" || fail "Cancel wrote settings"
echo "ok: Cancel wrote nothing"

# Esc, after changes.
open_config "/c:1234"
click IDC_SPEED_SLOW
click IDC_BACK_WHITE
xdotool key Escape
expect_exit_255 "Esc (/c:1234)"
! key_exists "$KEY" || fail "Esc wrote settings"
echo "ok: Esc wrote nothing"

# The caption's close box, after changes; started with no switch at all.
open_config ""
click IDC_SHUFFLE_TOO_MANY
click IDC_TILE
click_close_box
expect_exit_255 "the close box (empty command line)"
! key_exists "$KEY" || fail "the close box wrote settings"
echo "ok: the close box wrote nothing"

# Nothing is left on the screen.
wait_for gone

# The hook's own failure box, in a program that has no template 101.
start_win "$TESS_BUILD/settings/hook_probe.exe"
hook_pid=$LAST_PID
wait_for other
shoot_dialog dialog_failure_box other
check_eq "failure box caption" "ＤＬＧ作成に失敗" "$(title_of other)"
check_eq "failure box text" "DialogBox関数失敗！" "$(text_of other 65535)"
click other 1
check_eq "ConfigureHook's result after failing" 0 "$(wait_exit "$hook_pid" 20)"
