#!/usr/bin/env bash
# The about button shows the program's box over the dialog, which stays; the
# delete button asks first: No keeps the settings and the dialog, Yes removes
# the product's key (and only that) and closes the dialog.
. "$TESS_SOURCE/testing/wine/lib.sh"
. "$TESS_SOURCE/settings/tests/e2e/dialog_lib.sh"

clear_settings
set_code speed 3
"$WINE64" reg add "$MAKER_KEY" /v other /t REG_SZ /d kept /f >/dev/null 2>&1

open_config "/c"
config_window=$(window_line | awk '{print $3}')

# About.
click IDC_ABOUT
wait_for other
shoot_dialog about_box other
check_eq "about caption" "このスクリーンセーバーについて" "$(title_of other)"
about='「Ｔｅｓｓａｌａｎｄｅｒ - version 1.20」\n\n　Orvelstad Nube\n　絵を崩して解いてみせるスクリーンセーバー'
check_eq "about text" "$about" "$(text_of other 65535)"
check_eq "about box owner" "$config_window" "$(window_line other | awk '{print $9}')"
check_eq "about box buttons" "1" "$(grep -c '^control other .* Button ' "$STATE")"
click other 1
wait_for alone
check_eq "dialog still open after about" "$config_window" "$(window_line | awk '{print $3}')"
check_eq "dialog enabled again" 1 "$(window_line | awk '{print $8}')"

# Delete, answered No.
click IDC_DELETE
wait_for other
shoot_dialog delete_question other
check_eq "delete caption" "＊注意＊" "$(title_of other)"
question='Tessalanderのレジストリを削除します。\n現在のTessalanderの設定は全て破棄されますが、よろしいですか？'
check_eq "delete question" "$question" "$(text_of other 65535)"
check_eq "Yes button" 1 "$(control other 6 | grep -c Button)"
check_eq "No button" 1 "$(control other 7 | grep -c Button)"
click other 7
wait_for alone
check_eq "speed after No" 'speed REG_DWORD 0x3' "$(stored speed)"
check_eq "dialog still open after No" "$config_window" "$(window_line | awk '{print $3}')"

# Delete, answered Yes.
click IDC_DELETE
wait_for other
click other 6
expect_exit_255 "a confirmed delete"
! key_exists "$KEY" || fail "the settings key survived a confirmed delete"
echo "ok: the settings key is gone"
check_eq "maker's key kept" "other REG_SZ kept" "$(reg_query "$MAKER_KEY" /v other |
  grep -E '^ ?other ' | sed 's/^ //')"
clear_settings
