#!/usr/bin/env bash
# A key pressed while the saver sets itself up is not lost. The set-up of a
# large picture runs inside WM_CREATE, before the saver's window is shown and
# made the foreground window, so the key goes to the window that holds the
# focus, here notepad's. When the set-up ends the saver learns that input
# came since its launch and closes: exit code 0, shortly after its window
# appeared, without a second key. A saver left alone through the same set-up
# stays.
. "$TESS_SOURCE/testing/wine/lib.sh"
cd "$WORK"

# A photo of a modern phone's size, 8000 x 6000 in 24 bits (144 MB): loading
# and fitting it to the screen takes about half a second, inside which the
# key lands.
python3 - <<'EOF'
import struct
width, height = 8000, 6000
row = width * 3
with open("TessalanderImage.bmp", "wb") as f:
    f.write(b"BM" + struct.pack("<IHHI", 54 + row * height, 0, 0, 54))
    f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, row * height, 2835, 2835, 0, 0))
    band = bytes(x * 255 // width for x in range(width))
    for y in range(height):
        line = bytearray(row)
        line[0::3], line[1::3], line[2::3] = band, bytes([y * 255 // height]) * width, band[::-1]
        f.write(line)
EOF

class=WindowsScreenSaverClass
title='Screen Saver'
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

# Notepad holds the focus, as some window always does.
start_win notepad
notepad_run=$LAST_PID
for _ in $(seq 100); do
  notepad=$(xdotool search --onlyvisible --class notepad 2>/dev/null | head -n 1) || true
  [ -n "$notepad" ] && break
  sleep 0.1
done
[ -n "$notepad" ] || fail "notepad's window did not appear"
xdotool windowfocus --sync "$notepad"
xdotool mousemove 300 300
sleep 0.5

# Every top-level window mapped from here on, one line with the second it
# was mapped: the saver's window is shown the moment its set-up has ended.
mkfifo xev.fifo
stdbuf -oL xev -root -event substructure >xev.fifo 2>/dev/null &
cleanup_hooks+=("kill $! 2>/dev/null")
while read -r line; do [[ $line != MapNotify* ]] || now; done <xev.fifo >maps.txt &
sleep 0.3
# The second the next window was mapped after the first COUNT maps, once it was.
map_after() {  # map_after COUNT
  for _ in $(seq 20); do
    sed -n "$(($1 + 1))p" maps.txt | grep . && return 0
    sleep 0.1
  done
}

# --- Left alone, the saver stays through its set-up. ---
start_win "$TESS_SCR" /s
alone=$LAST_PID
wait_x_window "^$title\$" 60 || fail "the saver's window did not appear"
still_running "$(program_pid "$alone")" 1 || fail "the saver left alone ended by itself"
echo "ok: left alone, the saver runs on after its set-up"
xdotool key space
check_eq "exit code after a key once it is shown" 0 "$(wait_exit "$alone" 20)"
xdotool windowfocus --sync "$notepad"
sleep 1
maps_before=$(wc -l <maps.txt)

# --- A key during the set-up, as soon as the saver's window exists. ---
launched=$(now)
start_win "$TESS_SCR" /s
saver=$LAST_PID
# The window exists, hidden, from the start of its set-up.
facts=$(probe find "$class" "$title" 20)
[ "$(field "$facts" hwnd)" != 0 ] || fail "no saver window was created"
# The probe's own start and end may have moved the X focus for a moment.
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$notepad" ] || xdotool windowfocus --sync "$notepad"
xdotool key a
keyed=$(now)
[ -z "$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null)" ] ||
  fail "the saver's window was already shown when the key came: make the picture larger"
echo "ok: the key came $(since "$launched" "$keyed") s after launch, during the set-up"

exit_code=$(wait_exit "$saver" 20)
ended=$(now)
# The key went to notepad: its edit control holds the letter.
edit=$(field "$(probe child "$(field "$(probe find Notepad '*')" hwnd)" Edit)" hwnd)
check_eq "characters notepad received" 1 "$(field "$(probe send "$edit" 0x000E 0 0)" result)"
check_eq "exit code after a key during the set-up" 0 "$exit_code"
shown=$(map_after "$maps_before")
[ -n "$shown" ] || fail "the saver's window was never shown"
echo "set-up ended (window shown) $(since "$launched" "$shown") s after launch; the saver ended $(since "$launched" "$ended") s after launch"
awk -v s="$shown" -v e="$ended" 'BEGIN { exit !(e - s < 1.5) }' ||
  fail "the saver ended $(since "$shown" "$ended") s after its set-up, not shortly after"
echo "ok: the saver ended $(since "$shown" "$ended") s after its set-up"

kill "$(program_pid "$notepad_run")" 2>/dev/null || true
