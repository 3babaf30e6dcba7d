#!/usr/bin/env bash
# A preview inside a DPI-unaware parent on a screen scaled to 150 %, as in
# the display settings of a Windows whose windows each have an awareness:
# the preview is made, and its parent's size read, under the parent's
# awareness, so it fills the parent exactly. Read under the saver's own
# awareness (per monitor), the size came out scaled and the child 213x160.
. "$TESS_SOURCE/testing/wine/lib.sh"

reg_set_for_test 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 144

coproc PARENT { "$WINE64" "$TESS_BUILD/host/preview_parent.exe" 320 240 unaware 2>/dev/null; }
cleanup_hooks+=("kill $PARENT_PID 2>/dev/null")
ask() {  # ask COMMAND: the parent's answer
  echo "$1" >&"${PARENT[1]}"
  local line
  read -r -t 10 line <&"${PARENT[0]}" || fail "the parent did not answer '$1'"
  echo "${line%$'\r'}"
}
read -r -t 20 first <&"${PARENT[0]}" || fail "the parent window did not come up"
parent=$(sed -n 's/^parent=\([0-9]*\).*/\1/p' <<<"${first%$'\r'}")
[ -n "$parent" ] && [ "$parent" != 0 ] || fail "no parent handle in '$first'"

start_win "$TESS_SCR" /p "$parent"
saver=$LAST_PID
for _ in $(seq 100); do
  [ "$(field "$(probe child "$parent" WindowsScreenSaverClass)" hwnd)" != 0 ] && break
  sleep 0.2
done
facts=$(ask child)
echo "$facts"
grep -q " client=320,240 " <<<"$facts" || fail "the preview does not fill the unaware parent: $facts"
echo "ok: the preview fills the 320x240 client area of its unaware parent at 150 %"

ask destroy >/dev/null
check_eq "exit code once the parent is gone" 0 "$(wait_exit "$saver" 20)"
