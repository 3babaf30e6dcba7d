#!/usr/bin/env bash
# The preview inside a parent window of another program (our stand-in for
# the display settings): the child fills the parent's client area, ignores
# input, keeps its title, hands context-menu requests to the parent, and ends
# with 0 when the parent goes, destroyed or with its process killed. A number
# that names no window is refused.
. "$TESS_SOURCE/testing/wine/lib.sh"

check_eq "exit code of /p with a number that names no window" 255 "$(scr_exit_code /p 12345)"

# The parent program reads commands on its standard input and answers on its
# standard output.
coproc PARENT { "$WINE64" "$TESS_BUILD/host/preview_parent.exe" 320 240 2>/dev/null; }
parent_pid=$PARENT_PID
cleanup_hooks+=("kill $parent_pid 2>/dev/null")
# ask COMMAND: prints the parent's answer. What reaches the parent window in
# the meantime ("parent-got ...") is kept in $WORK/parent-got.
ask() {
  echo "$1" >&"${PARENT[1]}"
  local line
  while read -r -t 10 line <&"${PARENT[0]}"; do
    line=${line%$'\r'}
    if [[ $line == parent-got* ]]; then
      echo "$line" >>"$WORK/parent-got"
      continue
    fi
    echo "$line"
    return 0
  done
  fail "the parent did not answer '$1'"
}
read -r -t 20 first <&"${PARENT[0]}" || fail "the parent window did not come up"
parent=$(sed -n 's/^parent=\([0-9]*\).*/\1/p' <<<"${first%$'\r'}")
[ -n "$parent" ] && [ "$parent" != 0 ] || fail "no parent handle in '$first'"
echo "ok: parent window $parent"

# start_preview PARENT: the saver's run in $saver, once its child window is up.
start_preview() {
  start_win "$TESS_SCR" /p "$1"
  saver=$LAST_PID
  local child=0
  for _ in $(seq 100); do
    child=$(field "$(probe child "$1" WindowsScreenSaverClass)" hwnd)
    [ "${child:-0}" != 0 ] && return 0
    sleep 0.2
  done
  fail "no preview window inside the parent $1"
}
start_preview "$parent"

facts=$(ask child)
echo "$facts"
grep -q " client=320,240 " <<<"$facts" || fail "the preview does not fill the parent: $facts"
grep -q " title=Preview " <<<"$facts" || fail "wrong title: $facts"
grep -q " style=0x52000000" <<<"$facts" || fail "wrong style: $facts"
echo "ok: a 320x240 child titled Preview with WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN"

check_eq "WM_SETTEXT to the preview" "settext result=0 title=Preview" "$(ask 'settext Renamed')"

ask contextmenu >/dev/null
for _ in $(seq 20); do
  [ -s "$WORK/parent-got" ] && break
  ask child >/dev/null
  sleep 0.1
done
check_eq "WM_CONTEXTMENU passed to the parent with its own handle" \
  "parent-got message=0x007b wparam=$parent lparam=$(( (34 << 16) | 12 )) self=$parent" \
  "$(head -n 1 "$WORK/parent-got" 2>/dev/null)"

# Input straight to the child, and as a user would give it over the preview.
ask input >/dev/null
xdotool mousemove 300 250 sleep 0.2 mousemove 360 300 click 1 key a
still_running "$saver" 1.5 || fail "input ended the preview"
echo "ok: keys, buttons, travel and activation loss leave the preview running"

check_eq "the parent destroyed" destroyed "$(ask destroy)"
check_eq "exit code once the parent is gone" 0 "$(wait_exit "$saver" 10)"

# A parent whose process is killed, not closed: Wine destroys the preview
# with a WM_NCDESTROY and no WM_DESTROY.
start_win "$TESS_BUILD/host/preview_parent.exe" 320 240
doomed_run=$LAST_PID
doomed=
for _ in $(seq 100); do
  doomed=$(sed -n 's/^parent=\([0-9]*\).*/\1/p' "$WORK/wine.out" | tail -n 1)
  [ -n "$doomed" ] && break
  sleep 0.2
done
[ -n "$doomed" ] || fail "the second parent window did not come up"
start_preview "$doomed"
kill -9 "$(program_pid "$doomed_run")"
check_eq "exit code once the parent's process is killed" 0 "$(wait_exit "$saver" 10)"
