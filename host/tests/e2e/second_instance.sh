#!/usr/bin/env bash
# A second full-screen saver finds the first, leaves it running and exits 0
# at once; the first still ends normally.
. "$TESS_SOURCE/testing/wine/lib.sh"

xdotool mousemove 300 300
start_win "$TESS_SCR" /s
first=$LAST_PID
hwnd=$(wait_window WindowsScreenSaverClass "Screen Saver")
[ "$hwnd" != 0 ] || fail "no saver window appeared"
sleep 0.5

start=$(date +%s%N)
check_eq "exit code of the second /s" 0 "$(scr_exit_code /s)"
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$elapsed_ms" -lt 5000 ] || fail "the second /s took ${elapsed_ms} ms"
echo "ok: the second /s returned in ${elapsed_ms} ms"

still_running "$first" 1 || fail "the first saver ended"
check_eq "the first saver's window" "$hwnd" "$(wait_window WindowsScreenSaverClass "Screen Saver" 1)"
check_eq "saver windows on screen" 1 "$(xdotool search --onlyvisible --name '^Screen Saver$' | wc -l)"

xdotool key space
check_eq "exit code of the first after a key" 0 "$(wait_exit "$first" 10)"
