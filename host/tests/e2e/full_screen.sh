#!/usr/bin/env bash
# The full-screen saver as a user meets it: topmost over the whole screen,
# and ended by a key, a button, a mouse travel of more than
# 4 pixels, switching to another window, suspend and resume and SC_CLOSE; not
# by a travel of 4, task-switching system commands, WM_SETTEXT, WM_APP, the
# AutoPlay query (the last two matter on Windows 95/98/ME only), news of the
# battery or of a power setting, which come with nobody at the machine.
. "$TESS_SOURCE/testing/wine/lib.sh"

class=WindowsScreenSaverClass
title='Screen Saver'

# A picture to solve, so that frames differ from one second to the next.
cd "$WORK"
"$(native_tool tessalander-render tools/tessalander-render)" --pattern TessalanderImage.bmp 1024x768

start_saver() {  # sets SAVER_PID and SAVER_HWND
  xdotool mousemove 300 300
  start_win "$TESS_SCR" /s
  SAVER_PID=$LAST_PID
  SAVER_HWND=$(wait_window "$class" "$title")
  [ "$SAVER_HWND" != 0 ] || fail "no saver window appeared"
  # Let the window's creation-time mouse move arrive before the test moves.
  sleep 0.5
}

# --- One saver through everything that must not end it. ---
start_saver
facts=$(probe find "$class" "$title")
check_eq "title" "$title" "$(field "$facts" title)"
check_eq "window rectangle (the screen's clip box)" "0,0,1024,768" "$(field "$facts" rect)"
check_eq "style" "0x96000000" "$(field "$facts" style)"
exstyle=$(field "$facts" exstyle)
(( exstyle & 0x8 )) || fail "WS_EX_TOPMOST missing from $exstyle"
echo "ok: topmost ($exstyle)"
check_eq "class style" "0x0000002b" "$(field "$facts" classstyle)"
check_eq "screen points that hit the saver" "5/5" "$(field "$facts" screen_hits)"
check_eq "in the foreground" "1" "$(field "$facts" foreground)"
screenshot "$ARTIFACTS/full_screen.png"

settext=$(probe settext "$SAVER_HWND" "Renamed")
check_eq "WM_SETTEXT answer" "0" "$(field "$settext" result)"
check_eq "title after WM_SETTEXT" "$title" "$(field "$settext" title)"

# message  wParam  expected answer   what it is
stays=(
  "0x112 0xF040 0  SC_NEXTWINDOW"
  "0x112 0xF050 0  SC_PREVWINDOW"
  "0x112 0xF140 0  SC_SCREENSAVE"
  "0x8000 0 0      WM_APP on the NT family"
)
for row in "${stays[@]}"; do
  read -r message wparam expected name <<<"$row"
  check_eq "$name answer" "$expected" "$(field "$(probe send "$SAVER_HWND" "$message" "$wparam" 0)" result)"
done
autoplay=$(field "$(probe register QueryCancelAutoPlay)" message)
check_eq "QueryCancelAutoPlay answer on the NT family" 0 \
  "$(field "$(probe send "$SAVER_HWND" "$autoplay" 0 0)" result)"
probe post "$SAVER_HWND" 0x48 1 0 >/dev/null   # WM_POWER, not a critical resume
probe post "$SAVER_HWND" 0x101 0x41 0 >/dev/null  # WM_KEYUP alone
probe post "$SAVER_HWND" 0x218 0xA 0 >/dev/null     # PBT_APMPOWERSTATUSCHANGE
probe post "$SAVER_HWND" 0x218 0x8013 0 >/dev/null  # PBT_POWERSETTINGCHANGE
xdotool mousemove_relative -- 2 2
still_running "$SAVER_PID" 1.5 || fail "the saver ended without a closing input"
echo "ok: still running after 4 pixels of travel and the ignored messages"
screenshot "$WORK/solving-1.png"
sleep 1
screenshot "$WORK/solving-2.png"
[ "$(differing_pixels "$WORK/solving-1.png" "$WORK/solving-2.png")" -gt 0 ] ||
  fail "the saver stopped solving after the power broadcasts"
echo "ok: still solving after the power broadcasts"

xdotool mousemove_relative -- 1 0
check_eq "exit code after 3 right and 2 down in all" 0 "$(wait_exit "$SAVER_PID" 10)"

# --- The input method: detached from the window at creation, and its
# context given back at the end (Wine traces the calls on its "imm" channel;
# the program never loads IMM32 itself, Wine's USER32 has). ---
: >"$WORK/wine.out"
WINEDEBUG=+imm start_saver
xdotool key a
check_eq "exit code" 0 "$(wait_exit "$SAVER_PID" 10)"
window_hex=$(printf '%016X' "$SAVER_HWND")
calls=$(grep -o "ImmAssociateContext ($window_hex, [0-9A-F]*)" "$WORK/wine.out" | sed 's/.*, //; s/)//')
check_eq "ImmAssociateContext calls for the saver window" 2 "$(wc -l <<<"$calls")"
check_eq "context at creation" 0000000000000000 "$(head -n 1 <<<"$calls")"
[ "$(tail -n 1 <<<"$calls")" != 0000000000000000 ] || fail "no context was given back"
echo "ok: the saved context $(tail -n 1 <<<"$calls") was given back"

# --- Each of these ends a fresh saver with exit code 0. ---
ends=(
  "key press|xdotool key a"
  "Alt (WM_SYSKEYDOWN)|xdotool key alt"
  "left button|xdotool click 1"
  "right button|xdotool click 3"
  "middle button|xdotool click 2"
  "3 right and 2 down at once|xdotool mousemove_relative -- 3 2"
  "another window activated|probe activate 2 >/dev/null &"
  "SC_CLOSE|probe send \$SAVER_HWND 0x112 0xF060 0 >/dev/null"
  "WM_POWER critical resume|probe post \$SAVER_HWND 0x48 3 0 >/dev/null"
  "PBT_APMSUSPEND|probe post \$SAVER_HWND 0x218 4 0 >/dev/null"
  "PBT_APMRESUMEAUTOMATIC|probe post \$SAVER_HWND 0x218 0x12 0 >/dev/null"
)
for row in "${ends[@]}"; do
  name=${row%%|*}
  action=${row#*|}
  start_saver
  eval "$action"
  check_eq "exit code after $name" 0 "$(wait_exit "$SAVER_PID" 10)"
done
wait
