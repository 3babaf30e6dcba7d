#!/usr/bin/env bash
# How long the real Tessalander.scr /s takes from launch to its first frame
# under wine64, on a new Xvfb of SIZE, and Wine's own floor for the same: a
# trivial Win32 program that shows one black full-screen window.
#
#   scripts/measure-startup.sh [--warm] SIZE [picture|desktop|floor|all] [RUNS]
#
#   picture  the default picture, TessalanderImage.bmp, in the working folder
#   desktop  no picture file and no stored settings: the saver captures the
#            desktop, which shows the default picture as its wallpaper
#   floor    testing/win32/black_window.cpp
#   all      the three, in that order (the default); RUNS each (default 5)
#
# Each launch is the first Wine program of its session in one way: Wine's
# desktop process (explorer.exe) is not running and the launch starts it, as
# when a desktop starts the saver with no other Windows program open. The
# wineserver is warm (started once, before all runs), and one untimed launch
# of each program warms the file cache first. With --warm the desktop process
# is kept up throughout, as when another Windows program is open.
#
# The time runs from just before wine64 is started to the moment the screen
# first shows something else than the wallpaper that is not of one colour (a
# window erased to black is not yet a frame; for the black window it is).
# The screen is watched through X Damage events and read as sample rows when
# one arrives (scripts/measure/xprobe.py), so the probe itself costs nothing
# while it waits and the figure is good to a few ms. Prints each run and the
# median; a run marked with * began while the machine was busy elsewhere.
# A large frame reaches the screen in pieces; "drawn whole" is the median
# time of the end of that drawing (the first pause of 25 ms).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/measure/lib.sh
. scripts/measure/lib.sh

warm=0
if [ "${1:-}" = --warm ]; then warm=1; shift; fi
case "${1:-}" in
  -h|--help) measure_usage; exit 0 ;;
  '') measure_usage >&2; exit 2 ;;
esac
size=$1
mode=${2:-all}
runs=${3:-5}
measure_check_size "$size"
case "$mode" in
  picture|desktop|floor) modes=("$mode") ;;
  all) modes=(picture desktop floor) ;;
  *) echo "the mode is picture, desktop, floor or all" >&2; exit 2 ;;
esac

measure_prepare measure-startup "$size"
[ "$warm" = 1 ] && measure_keep_desktop
measure_wallpaper "$DISPLAY" "$size" "$PICTURE" "$MEASURE_WORK"
# The picture's launches run in the saver's folder, with no stored settings;
# the desktop capture's and the floor's in an empty one.
measure_saver_folder 0
mkdir -p "$MEASURE_WORK/desktop"

# One launch; prints the milliseconds to the first frame and to the end of
# its drawing ("FIRST DRAWN"), or "none none".
launch() {  # launch MODE
  local folder=$MEASURE_WORK/saver accept=picture program=("$SCR" /s)
  case "$1" in
    desktop) folder=$MEASURE_WORK/desktop ;;
    floor) folder=$MEASURE_WORK/desktop accept=any program=("$BLACK_WINDOW" 20) ;;
  esac
  [ "$warm" = 1 ] || measure_wait_desktop_gone "$WINEPREFIX"
  (cd "$folder" && python3 "$MEASURE_DIR/xprobe.py" first-frame --accept "$accept" \
    -- "$WINE64" "${program[@]}" 2>>"$MEASURE_WORK/wine.log") |
    awk -F= '{ v[$1] = $2 } END { print (v["first_frame_ms"] == "" ? "none" : v["first_frame_ms"]),
      (v["frame_drawn_ms"] == "" ? "none" : v["frame_drawn_ms"]) }'
  # Let the wineserver see the program go before the next one starts.
  sleep 1
}

desktop_state="Wine's desktop process started by each launch"
[ "$warm" = 1 ] && desktop_state="Wine's desktop process kept up"
echo "First frame at $size, ms from starting wine64 (warm wineserver, $desktop_state); $runs run(s) each"
for m in "${modes[@]}"; do
  launch "$m" >/dev/null  # untimed: warms the file cache
  times=()
  drawn=()
  for _ in $(seq "$runs"); do
    busy=
    measure_wait_quiet 30 2>/dev/null || busy='*'
    read -r first last < <(launch "$m")
    times+=("$first$busy")
    drawn+=("$last")
  done
  label=$m
  [ "$m" = floor ] && label="floor (black window)"
  med=$(printf '%s\n' "${times[@]}" | tr -d '*' | grep -v none | median)
  med_drawn=$(printf '%s\n' "${drawn[@]}" | grep -v none | median)
  printf '%-22s %s   median %.0f (drawn whole: %.0f)\n' "$label" "${times[*]}" "$med" "$med_drawn"
done
