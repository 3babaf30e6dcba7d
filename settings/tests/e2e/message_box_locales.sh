#!/usr/bin/env bash
# The message boxes read as the same Japanese on a system whose ANSI code
# page is not Japanese's 932 (an English locale, 1252) as on one whose is:
# their code page 932 texts are shown through MessageBoxW there. Read back
# from the boxes on the screen: the failure box of the configure hook, About,
# and the question before the settings are deleted (answered No).
. "$TESS_SOURCE/testing/wine/lib.sh"
. "$TESS_SOURCE/settings/tests/e2e/dialog_lib.sh"

about='「Ｔｅｓｓａｌａｎｄｅｒ - version 1.20」\n\n　Orvelstad Nube\n　絵を崩して解いてみせるスクリーンセーバー'
question='Tessalanderのレジストリを削除します。\n現在のTessalanderの設定は全て破棄されますが、よろしいですか？'

clear_settings
set_code speed 3
# locale  ANSI code page
for row in "en_US.UTF-8 1252" "ja_JP.UTF-8 932"; do
  read -r locale acp <<<"$row"
  export LC_ALL=$locale
  check_eq "$locale: ANSI code page" "$acp" "$(dialog_probe acp)"

  start_win "$TESS_BUILD/settings/hook_probe.exe"
  hook_pid=$LAST_PID
  wait_for other
  check_eq "$locale: failure box caption" "ＤＬＧ作成に失敗" "$(title_of other)"
  check_eq "$locale: failure box text" "DialogBox関数失敗！" "$(text_of other 65535)"
  click other 1
  check_eq "$locale: the hook's result" 0 "$(wait_exit "$hook_pid" 20)"

  open_config "/c"
  click IDC_ABOUT
  wait_for other
  shoot_dialog "about_box_$locale" other
  check_eq "$locale: about caption" "このスクリーンセーバーについて" "$(title_of other)"
  check_eq "$locale: about text" "$about" "$(text_of other 65535)"
  click other 1
  wait_for alone

  click IDC_DELETE
  wait_for other
  shoot_dialog "delete_question_$locale" other
  check_eq "$locale: delete caption" "＊注意＊" "$(title_of other)"
  check_eq "$locale: delete question" "$question" "$(text_of other 65535)"
  check_eq "$locale: Yes and No buttons" "1 1" \
    "$(control other 6 | grep -c Button) $(control other 7 | grep -c Button)"
  click other 7
  wait_for alone
  check_eq "$locale: speed kept after No" 'speed REG_DWORD 0x3' "$(stored speed)"
  click IDCANCEL
  expect_exit_255 "$locale: Cancel"
done
clear_settings
