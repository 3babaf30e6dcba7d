#!/usr/bin/env bash
# What the running saver costs: % of one core for the real Tessalander.scr /s
# under wine64 (the saver, its wineserver and its Xvfb), measured side by side
# with two others, each on its own Xvfb of the same size:
# - the block program, testing/win32/block_window.cpp, the least Win32
#   program that draws what a solving tick draws (one block of an eighth of
#   the width moved on by a 64th, and the strip it uncovered, every 50 ms), in
#   a Wine prefix and wineserver of its own (the program, its wineserver and
#   its Xvfb): Wine's floor for the solve;
# - XScreenSaver's slidescreen hack (defaults: 50 ms delay) drawing on the
#   root window (the hack and its Xvfb).
# All three start together, warm up, and are measured over the same window of
# wall time, so a load elsewhere on the machine touches them alike.
#
#   scripts/measure-cpu.sh [--fast] [--warmup S] [--quiet-wait S] SIZE SECONDS [RUNS]
#
#   SIZE      screen size, e.g. 1024x768, 1920x1080, 3840x2160
#   SECONDS   the measured window, after the warm-up (default warm-up: 5 s)
#   RUNS      independent runs (default 1); with more, medians follow
#   --fast    the settings of scripts/run.sh (speed 4, shufflenum 1: one cycle
#             in about 21 s); without it the saver has no stored settings and
#             runs on its defaults (speed 2, shufflenum 2: a solve of about
#             80 s, so a 30 s window lies wholly inside the solve)
#   --quiet-wait  before each run, wait up to this long (default 120 s) for
#             the machine to be nearly idle; then measure anyway, and say so
#
# Both show the default picture: the saver from TessalanderImage.bmp in its
# working directory, the peer by grabbing it from the wallpaper of its screen.
# TESS_SCR=FILE measures another build of the .scr, or another program:
# TESS_SCR_ARGS replaces its "/s" (testing/win32/black_window.cpp with
# "ticking" is Wine's own cost of a full-screen window with a 50 ms timer).
# Each run also prints the other processes of the two Wine prefixes (not
# summed) and the load "elsewhere" on the machine: when that is more than a
# few %, run again. The end notes what the wineserver takes alone before the
# saver starts.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/measure/lib.sh
. scripts/measure/lib.sh

fast=0
warmup=5
quiet_wait=120
while [ $# -gt 0 ]; do
  case "$1" in
    --fast) fast=1; shift ;;
    --quiet-wait) quiet_wait=$2; shift 2 ;;
    --warmup) warmup=$2; shift 2 ;;
    -h|--help) measure_usage; exit 0 ;;
    *) break ;;
  esac
done
[ $# -ge 2 ] || { echo "usage: $0 [--fast] [--warmup S] [--quiet-wait S] SIZE SECONDS [RUNS]" >&2; exit 2; }
size=$1
seconds=$2
runs=${3:-1}
measure_check_size "$size"

# The saver: a Wine prefix and its Xvfb, the picture in its working folder.
# The peer's package comes too: only the comparison needs it, so it is not
# among the project's packages.
measure_prepare measure-cpu "$size" xscreensaver-data
saver_xvfb=$XVFB_PID
# Its wineserver, whose load counts with the saver's.
saver_server=$(wineserver_pid "$WINEPREFIX")
measure_keep_desktop
measure_saver_folder "$fast"

# The block program: a prefix, a wineserver and an Xvfb of its own. The saver's
# env file stays the one sourced.
measure_wine_env "$MEASURE_WORK/block" "$size"
block_env=$WINE_ENV
block_xvfb=$XVFB_PID
# shellcheck disable=SC1090
block_prefix=$(. "$block_env" && echo "$WINEPREFIX")
block_server=$(wineserver_pid "$block_prefix")
measure_keep_desktop "$block_env"

# The peer: its own Xvfb with the picture as wallpaper, and a home whose
# settings let its image loader grab that screen.
measure_xvfb "$MEASURE_WORK/peer" "$size"
peer_display=$XVFB_DISPLAY
peer_xvfb=$XVFB_PID
measure_wallpaper "$peer_display" "$size" "$PICTURE" "$MEASURE_WORK"
mkdir -p "$MEASURE_WORK/home"
printf '%s\n' 'grabDesktopImages: True' 'grabVideoFrames: False' 'chooseRandomImages: False' \
  >"$MEASURE_WORK/home/.xscreensaver"

echo "Tessalander.scr /s at $size with $SETTINGS, beside the block program and slidescreen --root (its defaults)"
echo "$runs run(s): ${warmup} s of warm-up, then a ${seconds} s window; % of one core"
echo "         saver wineserver Xvfb sum | block wineserver Xvfb sum | slidescreen Xvfb sum | ×block ×slide | wine-helpers elsewhere"
results=$MEASURE_WORK/results.txt
: >"$results"

# Wine's own floor, for reading the figures: a wineserver keeps waking up
# with no program running at all; nothing is subtracted.
measure_wait_quiet "$quiet_wait" 2>/dev/null || true
idle=$(python3 "$MEASURE_DIR/cpu_window.py" 10 wineserver="$saver_server" | sed -n 's/^wineserver //p')

for run in $(seq "$runs"); do
  measure_wait_quiet "$quiet_wait" || true
  measure_start_saver
  saver=$SAVER_PID
  measure_in_env "$block_env" "$BLOCK_WINDOW" $((warmup + seconds + 60))
  block=$LAST_WINE_PID
  HOME=$MEASURE_WORK/home DISPLAY=$peer_display setsid "$SLIDESCREEN" --root \
    </dev/null >>"$MEASURE_WORK/peer.log" 2>&1 &
  peer=$!
  measure_groups+=("$peer")
  sleep "$warmup"
  kill -0 "$saver" 2>/dev/null || { echo "the saver ended early; see $MEASURE_WORK/saver.log" >&2; exit 1; }
  kill -0 "$block" 2>/dev/null || { echo "the block program ended early" >&2; exit 1; }
  kill -0 "$peer" 2>/dev/null || { echo "slidescreen ended early:" >&2; cat "$MEASURE_WORK/peer.log" >&2; exit 1; }
  helpers=$(wine_helpers "$WINEPREFIX" "$saver"),$(wine_helpers "$block_prefix" "$block")
  python3 "$MEASURE_DIR/cpu_window.py" "$seconds" saver="$saver" wineserver="$saver_server" \
    xvfb="$saver_xvfb" block="$block" block_server="$block_server" block_xvfb="$block_xvfb" \
    peer="$peer" peer_xvfb="$peer_xvfb" helpers="$helpers" >"$MEASURE_WORK/window.txt"
  measure_stop "$saver"
  measure_stop "$block"
  measure_stop "$peer"
  # run N | saver wineserver xvfb sum | block server xvfb sum | peer xvfb sum | ×block ×peer | helpers elsewhere
  awk -v run="$run" '{ v[$1] = $2 } END {
      t = v["saver"] + v["wineserver"] + v["xvfb"]
      b = v["block"] + v["block_server"] + v["block_xvfb"]
      p = v["peer"] + v["peer_xvfb"]
      printf "%d %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f\n", run,
        v["saver"], v["wineserver"], v["xvfb"], t, v["block"], v["block_server"], v["block_xvfb"], b,
        v["peer"], v["peer_xvfb"], p, (b > 0 ? t / b : 0), (p > 0 ? t / p : 0), v["helpers"], v["elsewhere"] }' \
    "$MEASURE_WORK/window.txt" >>"$results"
  tail -n 1 "$results" | awk '{ printf "run %-4s %s %s %s %s | %s %s %s %s | %s %s %s | %s %s | %s %s\n",
    $1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16 }'
  sleep 1
done

# Medians column by column; the ratios are those of the median sums.
med() { awk -v c="$1" '{ print $c }' "$results" | median; }
ratio() { awk -v t="$1" -v p="$2" 'BEGIN { printf "%.2f", (p > 0 ? t / p : 0) }'; }
saver_m=$(med 2); server_m=$(med 3); xvfb_m=$(med 4); sum_m=$(med 5)
block_m=$(med 6); block_server_m=$(med 7); block_xvfb_m=$(med 8); block_sum_m=$(med 9)
peer_m=$(med 10); peer_xvfb_m=$(med 11); peer_sum_m=$(med 12)
block_ratio=$(ratio "$sum_m" "$block_sum_m")
peer_ratio=$(ratio "$sum_m" "$peer_sum_m")
if [ "$runs" -gt 1 ]; then
  printf 'median   %.2f %.2f %.2f %.2f | %.2f %.2f %.2f %.2f | %.2f %.2f %.2f | %s %s | %.2f %.2f\n' \
    "$saver_m" "$server_m" "$xvfb_m" "$sum_m" "$block_m" "$block_server_m" "$block_xvfb_m" \
    "$block_sum_m" "$peer_m" "$peer_xvfb_m" "$peer_sum_m" "$block_ratio" "$peer_ratio" "$(med 15)" "$(med 16)"
  echo "(the median line's ratios are those of the median sums; the medians of the runs' ratios are $(med 13) and $(med 14))"
fi
printf "(Wine's floor: the saver's wineserver alone, before the saver started, took %.2f)\n" "$idle"
w=${size%x*}
h=${size#*x}
printf '| %s × %s | %.2f (saver %.2f, wineserver %.2f, Xvfb %.2f) | %.2f (program %.2f, wineserver %.2f, Xvfb %.2f) | %.2f | %.2f | %.1f |\n' \
  "$w" "$h" "$sum_m" "$saver_m" "$server_m" "$xvfb_m" "$block_sum_m" "$block_m" "$block_server_m" \
  "$block_xvfb_m" "$block_ratio" "$peer_sum_m" "$peer_ratio"
