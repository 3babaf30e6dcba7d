#!/usr/bin/env bash
# On two monitors each plays its own puzzle. During the solve the screenshot
# is, on both monitors, a frame of the renderer for the same layout, and that
# frame is black outside them. The primary's part alone is the one-monitor
# renderer's frame for the same second and tick, so the primary's puzzle sits
# exactly on the primary monitor and is the puzzle one monitor shows; the
# secondary's part is the renderer's frame for a screen of its size, seeded a
# second later. An input ends the saver with exit code 0.
#
#   monitors.sh desktop|picture|stretched key|click|travel
#
# desktop: a test picture over the whole virtual screen, captured monitor by
# monitor, with a black empty slot. picture: "TessalanderImage.bmp" of a shape
# no screen has (3:2), so each monitor repeats it from its own top-left corner
# at its own size, with a white empty slot. stretched: one of the monitors'
# shape (4:3), read once and fitted to each by the scaler: with the
# secondary on the right enlarged on the primary and shrunk on the
# secondary; on the left of the secondary's size, enlarged on the primary
# and shown as it is on the secondary, the last to take it. travel: the
# pointer crosses the bezel from the primary to the middle of the secondary.
. "$TESS_SOURCE/testing/wine/lib.sh"

source=${1:?desktop or picture}
close=${2:?key, click or travel}
render=$(native_tool tessalander-render tools/tessalander-render)
cd "$WORK"

facts=$(probe monitors)
echo "$facts" >"$ARTIFACTS/monitors.txt"
check_eq "monitors Wine reports" 2 "$(field "$facts" enumerated)"
IFS=, read -r vleft vtop vright vbottom <<<"$(field "$facts" virtual)"
primary=$(field "$facts" monitor0)
secondary=$(field "$facts" monitor1)
check_eq "the primary monitor" "0,0,1024,768 1" "$primary $(field "$facts" monitor0_primary)"

# A monitor's rectangle (l,t,r,b) as the renderer's WxH+X+Y, and as the part
# of a screenshot that shows it (whose origin is the virtual screen's corner).
geometry() { IFS=, read -r l t r b <<<"$1"; printf '%dx%d%+d%+d' $((r - l)) $((b - t)) "$l" "$t"; }
part() { IFS=, read -r l t r b <<<"$1"; printf '%dx%d+%d+%d' $((r - l)) $((b - t)) $((l - vleft)) $((t - vtop)); }
size() { IFS=, read -r l t r b <<<"$1"; printf '%dx%d' $((r - l)) $((b - t)); }
centre() { IFS=, read -r l t r b <<<"$1"; echo "$(((l + r) / 2 - vleft)) $(((t + b) / 2 - vtop))"; }
crop() { convert "$1" -crop "$2" +repage "png24:$3"; }  # crop IN WxH+X+Y OUT

store_quick_solve

case "$source" in
  desktop)
    show_desktop_picture "$render" "$((vright - vleft))x$((vbottom - vtop))" 90 "$facts"
    crop before.png "$(part "$primary")" desktop-primary.png
    crop before.png "$(part "$secondary")" desktop-secondary.png
    baseline=before.png
    whole=(--desktop before.png)
    alone_primary=(--desktop desktop-primary.png)
    alone_secondary=(--desktop desktop-secondary.png)
    slot=000000
    ;;
  picture|stretched)
    picture_size=900x675
    [ "$TESS_MONITORS" = left ] && picture_size=800x600
    [ "$source" = picture ] && picture_size=480x320
    "$render" --pattern TessalanderImage.bmp "$picture_size"
    screenshot blank.png
    baseline=blank.png
    whole=(--picture TessalanderImage.bmp)
    alone_primary=("${whole[@]}")
    alone_secondary=("${whole[@]}")
    slot=FFFFFF
    ;;
  *) fail "no picture source '$source'" ;;
esac

# The pointer rests on the primary when the saver starts.
read -r x y <<<"$(centre "$primary")"
xdotool mousemove "$x" "$y"
start_saver_until_drawn "$baseline"

match_solve_frame "$render" "$SEEN" "$SHOWN" --monitors "$(geometry "$primary"),$(geometry "$secondary")" \
  "${whole[@]}" || fail "no renderer frame of this layout equals the screenshot on both monitors"
shot=$MATCHED_SHOT
frame=$ARTIFACTS/match.png

black_outside_monitors "$facts" "$frame" frame-monitors.png
check_eq "pixels of the renderer's frame outside the monitors that are not black" 0 \
  "$(differing_pixels "$frame" frame-monitors.png)"
black_outside_monitors "$facts" "$shot" shot-monitors.png
check_eq "pixels of the monitors that differ from the renderer's frame" 0 \
  "$(differing_pixels shot-monitors.png "$frame")"
outside=$(( (vright - vleft) * (vbottom - vtop) - 1024 * 768 - 800 * 600 ))
if [ "$slot" = 000000 ]; then expected=$((128 * 128 + 100 * 100 + outside)); else expected=$((128 * 128 + 100 * 100)); fi
check_eq "pixels of the empty slots' colour $slot (a block of 128 and one of 100)" "$expected" \
  "$(colour_count shot-monitors.png "$slot")"

# Each monitor's part of the screenshot against the renderer on that monitor
# alone: the primary's with the same second, the secondary's a second later.
for row in "primary $primary $MATCHED_SEED" "secondary $secondary $((MATCHED_SEED + 1))"; do
  read -r name rect seed <<<"$row"
  crop "$shot" "$(part "$rect")" "$name.png"
  mkdir -p "$name"
  alone=("${alone_primary[@]}")
  [ "$name" = secondary ] && alone=("${alone_secondary[@]}")
  result=$("$render" --screen "$(size "$rect")" "${alone[@]}" --speed 4 --seed "$seed" \
    --ticks "$MATCHED_TICK" --match "$name.png" --out "$name") ||
    fail "the $name monitor's part is not the one-monitor frame of second $seed, tick $MATCHED_TICK: $result"
  echo "ok: the $name monitor ($(part "$rect") of the screenshot) shows the one-monitor frame: $result"
done

[ ! -s "$WORK/exit.$SAVER" ] || fail "the saver ended before any input"
case "$close" in
  key) xdotool key space ;;
  click) xdotool click 1 ;;
  travel) read -r x y <<<"$(centre "$secondary")"; xdotool mousemove "$x" "$y" ;;
  *) fail "no input '$close'" ;;
esac
check_eq "exit code after a $close across two monitors" 0 "$(wait_exit "$SAVER" 20)"
