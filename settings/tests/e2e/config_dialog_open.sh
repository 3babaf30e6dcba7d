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
  "1|OK"
  "2|ｷｬﾝｾﾙ"
  "1000|"
  "1001|参照"
  "1008|背景色の設定"
  "65535|Orvelstad Nube"
  "1005|デスクトップから取り込む"
  "1006|ビットマップから取り込む"
  "1009|グラフィックの設定"
  "1014|シャッフルする回数の設定"
  "1011|速度の設定"
  "1025|常に並べて表示する"
  "1004|白"
  "1010|黒"
  "1003|少し"
  "1027|普通"
  "1028|多い"
  "1029|多すぎ"
  "1002|遅い"
  "1020|普通"
  "1021|速い"
  "1022|超速"
  "1030|about"
  "1031|delete"
)
for row in "${texts[@]}"; do
  check_eq "text of control ${row%%|*}" "${row#*|}" "$(text_of "${row%%|*}")"
done
check_eq "controls in the dialog" 24 "$(grep -c '^control config ' "$STATE")"

# First use: the second choice of each group, the box unticked, the field
# empty and enabled.
expect_checks "first use" 1002=0 1020=1 1021=0 1022=0 1003=0 1027=1 1028=0 1029=0 \
  1004=0 1010=1 1005=0 1006=1 1025=0
check_eq "PathField enabled at first use" 1 "$(enabled 1000)"

# Changes, then Cancel: nothing is written.
click 1022
click 1025
click 1005
refresh
expect_checks "after clicks" 1022=1 1020=0 1025=1 1005=1 1006=0
check_eq "PathField after choosing the desktop" 0 "$(enabled 1000)"
click 2
expect_exit_255 "Cancel"
! key_exists "$KEY" || fail "Cancel wrote settings"
echo "ok: Cancel wrote nothing"

# Esc, after changes.
open_config "/c:1234"
click 1002
click 1004
xdotool key Escape
expect_exit_255 "Esc (/c:1234)"
! key_exists "$KEY" || fail "Esc wrote settings"
echo "ok: Esc wrote nothing"

# The caption's close box, after changes; started with no switch at all.
open_config ""
click 1029
click 1025
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
