#!/usr/bin/env bash
# A crash below the dispatch (here inside the password verifier, on Windows
# 98 as Wine reports it) still tells the system that no saver runs any more.
. "$TESS_SOURCE/testing/wine/lib.sh"

dir=$WORK/saver
mkdir -p "$dir"
cp "$TESS_SCR" "$TESS_BUILD"/host/doubles/PASSWORD.CPL "$dir/"
reg_set_for_test 'HKCU\Software\Wine\AppDefaults\Tessalander.scr' Version REG_SZ win98
reg_set_for_test 'HKCU\Control Panel\Desktop' ScreenSaveUsePassword REG_DWORD 1
# Let Wine's debugger write its report and end the process instead of
# waiting for someone to close its window.
reg_set_for_test 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0

log=$WORK/double.log
echo crash >"$WORK/script"
export TESS_DOUBLE_LOG TESS_PASSWORD_SCRIPT
TESS_DOUBLE_LOG=$(windows_path "$log")
TESS_PASSWORD_SCRIPT=$(windows_path "$WORK/script")

xdotool mousemove 300 300
start_win "$dir/Tessalander.scr" /s
saver=$LAST_PID
[ "$(wait_window WindowsScreenSaverClass 'Screen Saver')" != 0 ] || fail "no saver window appeared"
sleep 0.5
check_eq "saver-running state before the crash" 1 "$(field "$(probe saver-running)" running)"

xdotool key a
code=$(wait_exit "$saver" 30)
echo "the double's log:"
sed 's/^/  /' "$log"
echo "Wine's report:"
grep -v '^$' "$WORK/wine.out" | head -n 3 | sed 's/^/  /'
[ "$code" != running ] || fail "the saver did not end after the crash"
grep -q "script=crash" "$log" || fail "the verifier was not reached: $(cat "$log")"
grep -q "Unhandled page fault" "$WORK/wine.out" || fail "Wine reported no crash"
# The code a crashed process ends with is the system's to choose, not the
# saver's: Wine's debugger hand-off gives the exception's (5, for 0xC0000005)
# or, on a busy machine, 0. Either way the process ended through the crash.
echo "ok: the saver crashed in the verifier and ended (exit code $code)"
check_eq "saver-running state after the crash" 0 "$(field "$(probe saver-running)" running)"
