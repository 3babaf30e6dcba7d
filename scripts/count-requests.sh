#!/usr/bin/env bash
# How many wineserver requests the real Tessalander.scr /s makes per 50 ms
# timer tick, while it solves (the screen changes) and while the finished
# picture rests (it does not), with the requests it makes most.
#
#   scripts/count-requests.sh [--defaults] SIZE [SECONDS]
#
# The wineserver of a throw-away prefix is restarted with its request trace
# on (wineserver -d1, one line per request and one per reply) and read as it
# is written; the saver's requests are told from those of Wine's own helper
# processes by their thread ids. The screen is sampled every 100 ms to tell
# the phases apart (scripts/measure/xprobe.py). The trace slows the server,
# but a count per tick does not depend on its speed.
#
# By default the settings of scripts/run.sh (speed 4, shufflenum 1): a solve
# of about 13 s and a rest of 7.5 s, so the default 30 s holds both. With
# --defaults the saver has no stored settings; its solve then lasts about
# 80 s, so give SECONDS of 100 or more to see a rest.
# TESS_SCR and TESS_SCR_ARGS count another program, as in
# scripts/measure-cpu.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/measure/lib.sh
. scripts/measure/lib.sh

fast=1
if [ "${1:-}" = --defaults ]; then fast=0; shift; fi
case "${1:-}" in
  -h|--help) measure_usage; exit 0 ;;
  '') measure_usage >&2; exit 2 ;;
esac
size=$1
seconds=${2:-30}
measure_check_size "$size"

measure_prepare count-requests "$size"
measure_saver_folder "$fast"

# The same prefix, served now by a wineserver that traces every request.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true
trace=$MEASURE_WORK/trace.fifo
mkfifo "$trace"
pidfile=$MEASURE_WORK/saver.pid
python3 "$MEASURE_DIR/xprobe.py" requests --seconds "$((seconds + 3))" --log "$trace" \
  --pid-file "$pidfile" >"$MEASURE_WORK/counts.txt" &
probe=$!
measure_pids+=("$probe")
"$WINESERVER" -f -p -d1 2>"$trace" &
server=$!
measure_pids+=("$server")
# A program started before the server listens would start a server of its own.
for _ in $(seq 100); do
  [ -S "/proc/$server/cwd/socket" ] && break
  sleep 0.1
done
[ -S "/proc/$server/cwd/socket" ] || { echo "the tracing wineserver did not start" >&2; exit 1; }
# Wine's helper processes start with the first program, not inside the count.
measure_keep_desktop

echo "Tessalander.scr /s at $size with $SETTINGS: wineserver requests per 50 ms tick"
measure_start_saver
echo "$SAVER_PID" >"$pidfile"
wait "$probe" || { echo "the request count failed" >&2; exit 1; }
measure_stop "$SAVER_PID"
cat "$MEASURE_WORK/counts.txt"
