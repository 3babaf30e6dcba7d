#!/usr/bin/env bash
# Left running for several cycles at the fastest settings, the saver keeps a
# flat count of GDI objects and flat private memory. The counts come from
# inside the process: the PASSWORD.CPL double samples them once a second, so
# this runs with Wine reporting Windows 98 and a password set (the engine's
# work is the same in every mode).
. "$TESS_SOURCE/testing/wine/lib.sh"

seconds=${FLAT_SECONDS:-62}   # a cycle takes about 14 s: four and more

dir=$WORK/saver
mkdir -p "$dir"
cp "$TESS_SCR" "$TESS_BUILD/host/doubles/PASSWORD.CPL" "$TESS_BUILD/default-picture/TessalanderImage.bmp" "$dir/"
reg_set_for_test 'HKCU\Software\Wine\AppDefaults\Tessalander.scr' Version REG_SZ win98
reg_set_for_test 'HKCU\Control Panel\Desktop' ScreenSaveUsePassword REG_DWORD 1
reg_set_for_test 'HKCU\Software\QEL\Tessalander' speed REG_DWORD 4
reg_set_for_test 'HKCU\Software\QEL\Tessalander' shufflenum REG_DWORD 1

samples=$WORK/samples.txt
echo accept >"$WORK/script"
export TESS_DOUBLE_LOG TESS_PASSWORD_SCRIPT TESS_RESOURCE_SAMPLES
TESS_DOUBLE_LOG=$(windows_path "$WORK/double.log")
TESS_PASSWORD_SCRIPT=$(windows_path "$WORK/script")
TESS_RESOURCE_SAMPLES=$(windows_path "$samples")

xdotool mousemove 300 300
cd "$dir"
start_win "$dir/Tessalander.scr" /s
saver=$LAST_PID
cd - >/dev/null
[ "$(wait_window WindowsScreenSaverClass 'Screen Saver')" != 0 ] || fail "no saver window appeared"
echo "running for ${seconds}s"
sleep "$seconds"
still_running "$saver" 0 || fail "the saver ended by itself"
cp "$samples" "$ARTIFACTS/samples.txt"

# Extremes over a window of time, in seconds since the double was loaded.
span() {  # span FIELD FROM TO -> "min max"
  awk -v f="$1" -v a="$2" -v b="$3" '
    { t = $1 / 1000; for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == f) v = kv[2] } }
    t >= a && t < b { if (n++ == 0 || v < lo) lo = v; if (n == 1 || v > hi) hi = v }
    END { print lo + 0, hi + 0 }' "$samples"
}
read -r gdi_first_lo gdi_first_hi <<<"$(span gdi 2 16)"
read -r gdi_last_lo gdi_last_hi <<<"$(span gdi $(( seconds - 14 )) "$seconds")"
read -r private_first _ <<<"$(span private 14 16)"
read -r _ private_last <<<"$(span private $(( seconds - 2 )) "$seconds")"
echo "GDI objects: first cycle ${gdi_first_lo}..${gdi_first_hi}, last cycle ${gdi_last_lo}..${gdi_last_hi}"
echo "private bytes: after the first cycle $private_first, at the end $private_last"
[ "$gdi_first_hi" -gt 0 ] || fail "no GDI samples"
# A leak raises the floor cycle after cycle; a sample that catches an
# object held for a moment only lifts one peak.
[ "$gdi_last_lo" -le "$gdi_first_lo" ] || fail "GDI objects grew from $gdi_first_lo to $gdi_last_lo"
[ "$gdi_last_hi" -le $(( gdi_first_hi + 1 )) ] || fail "GDI object peaks grew from $gdi_first_hi to $gdi_last_hi"
echo "ok: GDI objects flat"
growth=$(( private_last - private_first ))
[ "$growth" -lt $(( 512 * 1024 )) ] || fail "private memory grew by $growth bytes"
echo "ok: private memory flat (grew by $growth bytes)"

xdotool key a
check_eq "exit code after the accepted password" 0 "$(wait_exit "$saver" 10)"
