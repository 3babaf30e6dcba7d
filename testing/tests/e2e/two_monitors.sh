#!/usr/bin/env bash
# The two-monitor display as a program and a screenshot see it: Wine reports
# two monitors, a 1024x768 primary at (0,0) and an 800x600 secondary on the
# side the layout names; the screen DC's clip box is the whole virtual
# screen; a screenshot is the 1824x768 root in exact 24-bit colour, with
# each monitor where the virtual screen's origin puts it; and the display
# context a desktop capture copies from holds the same pixels at the same
# places, as the capture expects (see engine/win32/win32_window_services.cpp).
. "$TESS_SOURCE/testing/wine/lib.sh"

layout=${TESS_MONITORS:?run on a two-monitor fixture}
cd "$WORK"

# layout  key=value that the probe must print ...
expectations=(
  "right monitors=2 enumerated=2 screen=1024,768 virtual=0,0,1824,768 clip=0,0,1824,768
         monitor0=0,0,1024,768 monitor0_primary=1 monitor1=1024,0,1824,600 monitor1_primary=0"
  "left  monitors=2 enumerated=2 screen=1024,768 virtual=-800,0,1024,768 clip=-800,0,1024,768
         monitor0=0,0,1024,768 monitor0_primary=1 monitor1=-800,0,0,600 monitor1_primary=0"
)
# key=value that the display probe must print in both layouts: the context
# holds the whole virtual screen (DESKTOPHORZRES x DESKTOPVERTRES, its clip
# box) with the virtual screen's corner at (0,0), where HORZRES x VERTRES and
# the desktop window give the primary alone.
display_expectations=(
  horzres=1024 vertres=768 desktophorzres=1824 desktopvertres=768
  "display_clip=0,0,1824,768" "display_origin=0,0" "desktop_window=0,0,1024,768"
)
# layout  the monitors' rectangles in the screenshot and in the display
# context (left,top,right,bottom; primary first)
placements=(
  "right 0,0,1024,768     1024,0,1824,600"
  "left  800,0,1824,768   0,0,800,600"
)

facts=$(probe monitors)
echo "$facts" >"$ARTIFACTS/monitors.txt"
for row in "${expectations[@]}"; do
  # shellcheck disable=SC2086
  set -- $row
  [ "$1" = "$layout" ] || continue
  shift
  for pair in "$@"; do
    check_eq "${pair%%=*}" "${pair#*=}" "$(field "$facts" "${pair%%=*}")"
  done
done

check_eq "root window" "1824x768, depth 24" \
  "$(xwininfo -root | awk '/Width:/ {w = $2} /Height:/ {h = $2} /Depth:/ {d = $2} END {print w "x" h ", depth " d}')"

# Each monitor filled with a colour no rounding leaves alone: the primary's
# and the secondary's must come back exactly, each at its own place.
primary=c83c1e
secondary=1e78c8
start_win "$TESS_BUILD/testing/window_probe.exe" paint 60 \
  "$(field "$facts" monitor0)" "$primary" "$(field "$facts" monitor1)" "$secondary"
painter=$LAST_PID
# Outside the monitors a screenshot holds stale rows (see lib.sh), so only
# the monitors' pixels are counted.
shown=
for _ in $(seq 100); do
  screenshot shot.png
  black_outside_monitors "$facts" shot.png monitors.png
  if [ "$(colour_count monitors.png "$primary")" = $((1024 * 768)) ] &&
     [ "$(colour_count monitors.png "$secondary")" = $((800 * 600)) ]; then
    shown=1
    break
  fi
  sleep 0.2
done
cp shot.png monitors.png "$ARTIFACTS/"
[ -n "$shown" ] || fail "the monitors never showed exactly 1024x768 pixels of $primary and 800x600 of $secondary"
echo "ok: 1024x768 pixels of the primary's colour and 800x600 of the secondary's"
check_eq "screenshot size" "1824x768" "$(identify -format '%wx%h' shot.png)"
check_eq "black pixels outside the monitors" $((800 * 168)) "$(colour_count monitors.png 000000)"

hex() { printf '%02x%02x%02x' ${1//,/ }; }  # hex R,G,B
corners=()  # X Y RRGGBB WHAT
for row in "${placements[@]}"; do
  read -r name primary_at secondary_at <<<"$row"
  [ "$name" = "$layout" ] || continue
  for place in "$primary_at $primary primary" "$secondary_at $secondary secondary"; do
    read -r rect colour what <<<"$place"
    IFS=, read -r l t r b <<<"$rect"
    for corner in "$l $t" "$((r - 1)) $t" "$l $((b - 1))" "$((r - 1)) $((b - 1))"; do
      check_eq "$what's corner at ($corner) in the screenshot" "$colour" "$(hex "$(pixel shot.png $corner)")"
      corners+=("$corner $colour $what")
    done
  done
done

# The display context: the same corners, and nothing to copy left of its
# origin (the left layout's secondary is not at negative coordinates there).
points=("-1,0")
for corner in "${corners[@]}"; do
  read -r x y _ <<<"$corner"
  points+=("$x,$y")
done
display=$(probe display "${points[@]}")
echo "$display" >"$ARTIFACTS/display.txt"
for pair in "${display_expectations[@]}"; do
  check_eq "display context: ${pair%%=*}" "${pair#*=}" "$(field "$display" "${pair%%=*}")"
done
for corner in "${corners[@]}"; do
  read -r x y colour what <<<"$corner"
  check_eq "$what's corner at ($x $y) in the display context" "$colour" "$(field "$display" "at_${x}_${y}")"
done
check_eq "display context left of its origin" 000000 "$(field "$display" at_-1_0)"

kill "$(program_pid "$painter")" 2>/dev/null || true
wait_exit "$painter" 10 >/dev/null
