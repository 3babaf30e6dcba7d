#!/usr/bin/env bash
# The Windows 95/98/ME paths, with Wine reporting Windows 98 to the saver and
# the project's doubles of "PASSWORD.CPL" and "MPR.DLL" beside it: the
# password asked before a close, the saver-running state, the AutoPlay query,
# the preview that never asks, and the change-password mode.
. "$TESS_SOURCE/testing/wine/lib.sh"

dir=$WORK/saver
mkdir -p "$dir"
cp "$TESS_SCR" "$TESS_BUILD"/host/doubles/PASSWORD.CPL "$TESS_BUILD"/host/doubles/MPR.DLL "$dir/"
scr=$dir/Tessalander.scr
reg_set_for_test 'HKCU\Software\Wine\AppDefaults\Tessalander.scr' Version REG_SZ win98
desktop_key='HKCU\Control Panel\Desktop'
# Wine's own MPR.DLL would otherwise win over the double.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mpr=n"

scenario() {  # scenario NAME SCRIPT-LINES...: fresh log and verifier script
  echo "--- $1"
  LOG=$WORK/$(tr ' ' '_' <<<"$1").log
  shift
  printf '%s\n' "$@" >"$LOG.script"
  : >"$LOG"
  export TESS_DOUBLE_LOG TESS_PASSWORD_SCRIPT
  TESS_DOUBLE_LOG=$(windows_path "$LOG")
  TESS_PASSWORD_SCRIPT=$(windows_path "$LOG.script")
}

wait_log() {  # wait_log PATTERN [SECONDS]
  for _ in $(seq $(( ${2:-10} * 10 ))); do
    grep -q -- "$1" "$LOG" && return 0
    sleep 0.1
  done
  fail "the double never logged '$1'; log: $(cat "$LOG")"
}

start_saver() {  # sets SAVER and HWND
  xdotool mousemove 300 300
  start_win "$scr" "$@"
  SAVER=$LAST_PID
  HWND=$(wait_window WindowsScreenSaverClass "${TITLE:-Screen Saver}")
  [ "$HWND" != 0 ] || fail "no saver window appeared"
  sleep 0.5
}

saver_running() { field "$(probe saver-running)" running; }

# --- The change-password mode exists only on Windows 95/98/ME: it proves
# that Wine reports Windows 98 to the saver. ---
scenario "change password"
owner=$(field "$(probe desktop)" hwnd)
check_eq "exit code of /a $owner" 0 "$(scr_exit_code_in "$scr" /a "$owner")"
check_eq "PwdChangePasswordA's arguments" \
  "change provider=SCRSAVE owner=$owner owner_title= flags=0 reserved=0000000000000000" \
  "$(grep '^change' "$LOG")"
check_eq "MPR.DLL freed after the call" "mpr.dll freed" "$(tail -n 1 "$LOG")"

# --- No password asked for: the first close ends the saver, nothing is loaded. ---
for stored in absent 0; do
  scenario "no password ($stored)"
  if [ "$stored" != absent ]; then
    "$WINE64" reg add "$desktop_key" /v ScreenSaveUsePassword /t REG_DWORD /d "$stored" /f >/dev/null 2>&1
  else
    "$WINE64" reg delete "$desktop_key" /v ScreenSaveUsePassword /f >/dev/null 2>&1 || true
  fi
  start_saver /s
  check_eq "saver-running state while running" 0 "$(saver_running)"
  xdotool key a
  check_eq "exit code after one key" 0 "$(wait_exit "$SAVER" 10)"
  check_eq "calls into PASSWORD.CPL" "" "$(cat "$LOG")"
done

reg_set_for_test "$desktop_key" ScreenSaveUsePassword REG_DWORD 1

# --- A refused password keeps the saver, with the cursor hidden again; input
# during the dialog asks nothing more; an accepted one ends it. ---
scenario "refused then accepted" "refuse 1500" "accept"
start_saver /s
check_eq "saver-running state with a verifier loaded" 1 "$(saver_running)"
wait_log "password.cpl loaded"
xdotool key a
wait_log "^verify 1 hwnd=$HWND class=WindowsScreenSaverClass title=Screen Saver script=refuse 1500"
echo "ok: the verifier was asked with the saver window"
xdotool key b click 1 mousemove_relative -- 40 30   # while the dialog is up
wait_log "^answer 1 refuse" 5
still_running "$SAVER" 1.5 || fail "a refused password ended the saver"
echo "ok: still running after the refusal"
check_eq "verifier calls so far" 1 "$(grep -c '^verify' "$LOG")"
check_eq "cursor after the refusal (the dialog had shown the arrow)" 0 "$(field "$(probe cursor)" handle)"
xdotool key c
wait_log "^answer 2 accept"
check_eq "exit code after the accepted password" 0 "$(wait_exit "$SAVER" 10)"
check_eq "PASSWORD.CPL freed at the end" "password.cpl freed" "$(tail -n 1 "$LOG")"
check_eq "saver-running state afterwards" 0 "$(saver_running)"

# --- The AutoPlay query: cancelled while a password guards the saver, and a
# close is posted. ---
scenario "AutoPlay" "accept"
start_saver /s
autoplay=$(field "$(probe register QueryCancelAutoPlay)" message)
check_eq "answer to QueryCancelAutoPlay" 1 "$(field "$(probe send "$HWND" "$autoplay" 0 0)" result)"
wait_log "^answer 1 accept"
check_eq "exit code after the AutoPlay query" 0 "$(wait_exit "$SAVER" 10)"

# --- The preview never loads the verifier or touches the saver-running state. ---
scenario "preview" "accept"
desktop=$(field "$(probe desktop)" hwnd)
TITLE=Preview start_saver /p "$desktop"
check_eq "saver-running state in preview" 0 "$(saver_running)"
xdotool key a click 1
still_running "$SAVER" 1 || fail "input ended the preview"
probe post "$HWND" 0x10 0 0 >/dev/null   # WM_CLOSE, as the display settings would
check_eq "exit code of the preview after WM_CLOSE" 0 "$(wait_exit "$SAVER" 10)"
check_eq "calls into PASSWORD.CPL" "" "$(cat "$LOG")"
