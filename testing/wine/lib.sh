# shellcheck shell=bash
# Helpers for the end-to-end tests. Source it from a test script; CTest passes
#   TESS_WINE_ENV  the env file of the running display and Wine prefix
#   TESS_SCR       the Tessalander.scr under test
#   TESS_BUILD     the build directory (test programs live in its testing/ and subsystem folders)
#   TESS_SOURCE    the source tree
#   TESS_MONITORS  on two monitors only: right or left, where the secondary sits
#   TESS_COLOURS   on the display of 256 colours only: 256
set -euo pipefail

# shellcheck disable=SC1090
. "${TESS_WINE_ENV:?run under CTest or source an env file}"

TEST_NAME=${TEST_NAME:-$(basename "$0" .sh)}
WORK=$(mktemp -d "${TESS_BUILD:-/tmp}/e2e-${TEST_NAME}.XXXXXX")
ARTIFACTS=${TESS_BUILD:-/tmp}/e2e-artifacts/$TEST_NAME
mkdir -p "$ARTIFACTS"
cleanup_hooks=()
on_exit() {
  local status=$? hook
  for hook in "${cleanup_hooks[@]}"; do eval "$hook" || true; done
  # A fail inside $(...) ended only that subshell; the test still failed.
  [ ! -e "$WORK/failed" ] || status=1
  # A program just killed may still be writing its logs here for a moment.
  rm -rf "$WORK" 2>/dev/null || { sleep 1; rm -rf "$WORK"; }
  exit "$status"
}
trap on_exit EXIT

fail() {
  echo "FAIL: $*" >&2
  touch "$WORK/failed" 2>/dev/null || true  # gone when the test has ended
  exit 1
}

check_eq() {  # check_eq WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
  echo "ok: $1 = $3"
}

wine64() { "$WINE64" "$@"; }

# Runs a Windows program in the background. LAST_PID names the run: a
# watcher that records the program's exit code for wait_exit, which can then
# read it even from a command substitution (a subshell cannot wait for its
# parent's children). The program's own pid is in $WORK/pid.LAST_PID.
start_win() {
  (
    "$WINE64" "$@" </dev/null >>"$WORK/wine.out" 2>&1 &
    echo $! >"$WORK/pid.$BASHPID"
    rc=0
    wait $! || rc=$?
    echo "$rc" 2>/dev/null >"$WORK/exit.$BASHPID" || true  # gone when the test has ended
  ) &
  LAST_PID=$!
  cleanup_hooks+=("kill \$(cat '$WORK/pid.$LAST_PID' 2>/dev/null) 2>/dev/null")
}

# The Windows program's own (Unix) pid for a run of start_win.
program_pid() {  # program_pid RUN
  for _ in $(seq 50); do
    [ -s "$WORK/pid.$1" ] && { cat "$WORK/pid.$1"; return 0; }
    sleep 0.1
  done
  echo 0
}

# Waits up to SECONDS for a background program to end; prints its exit code,
# or "running".
wait_exit() {  # wait_exit PID SECONDS
  local pid=$1 limit=$(( $2 * 10 ))
  for _ in $(seq "$limit"); do
    if [ -s "$WORK/exit.$pid" ]; then
      cat "$WORK/exit.$pid"
      return 0
    fi
    if [ ! -e "$WORK/pid.$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
      local rc=0
      wait "$pid" || rc=$?
      echo "$rc"
      return 0
    fi
    sleep 0.1
  done
  echo "running"
}

# Runs the .scr in the foreground with arguments and prints its exit code.
scr_exit_code() {
  local rc=0
  timeout 30 "$WINE64" "$TESS_SCR" "$@" </dev/null >>"$WORK/wine.out" 2>&1 || rc=$?
  echo "$rc"
}

# Runs another copy of the program in the foreground and prints its exit code.
scr_exit_code_in() {  # scr_exit_code_in PROGRAM ARGS...
  local rc=0
  timeout 30 "$WINE64" "$@" </dev/null >>"$WORK/wine.out" 2>&1 || rc=$?
  echo "$rc"
}

# Runs the .scr with an exact command line (see testing/win32/launch.cpp).
scr_exit_code_raw() {  # scr_exit_code_raw ESCAPED-LINE
  local rc=0
  timeout 30 "$WINE64" "$TESS_BUILD/testing/launch.exe" "$TESS_SCR" "$1" \
    </dev/null >>"$WORK/wine.out" 2>&1 || rc=$?
  echo "$rc"
}

# On a display of 256 colours (TESS_COLOURS=256) every window's pixels are
# read through its own colormap, which is what the screen shows once that
# colormap is installed; the root's would give other colours.
screenshot() {  # screenshot FILE.png
  local descend=()
  [ "${TESS_COLOURS:-}" != 256 ] || descend=(-descend)
  import -display "$DISPLAY" -window root "${descend[@]}" "png:$1"
}

# Number of top-level X windows mapped on the display (Wine maps one per
# visible top-level window when unmanaged).
mapped_windows() {
  xdotool search --onlyvisible --name '' 2>/dev/null | wc -l
}

# Prints the colour of one pixel of a PNG as "r,g,b".
pixel() {  # pixel FILE X Y
  convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | tail -n 1 |
    sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

# Number of pixels that differ between two images of the same size.
differing_pixels() {  # differing_pixels A B
  compare -metric AE "$1" "$2" null: 2>&1 || true
}

# Takes screenshots (into SHOT) until one differs from BASELINE; prints the
# second it came, or nothing when none did within 20 s.
wait_for_change() {  # wait_for_change BASELINE SHOT
  for _ in $(seq 200); do
    screenshot "$2"
    if [ "$(differing_pixels "$2" "$1")" != 0 ]; then date +%s; return 0; fi
    sleep 0.1
  done
}

# Takes screenshots (into SHOT) every quarter second until one equals
# PICTURE; false when none did within about SECONDS.
wait_for_equal() {  # wait_for_equal PICTURE SHOT SECONDS
  for _ in $(seq $(( $3 * 4 ))); do
    screenshot "$2"
    [ "$(differing_pixels "$2" "$1")" != 0 ] || return 0
    sleep 0.25
  done
  return 1
}

# Starts the saver (/s) and waits for its window and then its first frame,
# the first screenshot (first.png) that differs from BASELINE. Sets SAVER to
# the run (see start_win), SEEN to the second the window appeared and SHOWN
# to the second the frame came, for match_solve_frame. WHAT, when given,
# starts the failure messages.
# shellcheck disable=SC2034  # the test script reads SAVER and SEEN
start_saver_until_drawn() {  # start_saver_until_drawn BASELINE [WHAT]
  local what=${2:+$2: }
  start_win "$TESS_SCR" /s
  SAVER=$LAST_PID
  wait_x_window '^Screen Saver$' 60 || fail "${what}the saver window did not appear"
  SEEN=$(date +%s)
  SHOWN=$(wait_for_change "$1" first.png)
  [ -n "$SHOWN" ] || fail "${what}nothing was drawn within 20 s of the window's appearance"
}

# A known desktop for the saver to capture: a test pattern of WxH
# (desktop.bmp, and desktop.png) shown over the whole screen for SECONDS by
# a helper window. Takes before.png of the screen and checks that it shows
# the pattern: all of it, or on several monitors (FACTS: see
# black_outside_monitors) the monitors' part.
show_desktop_picture() {  # show_desktop_picture RENDERER WxH SECONDS [FACTS]
  "$1" --pattern desktop.bmp "$2"
  convert desktop.bmp png24:desktop.png
  start_win "$TESS_BUILD/testing/desktop_picture.exe" desktop.bmp "$3"
  wait_x_window '^desktop picture$' 60 || fail "the desktop picture did not appear"
  sleep 0.5
  screenshot before.png
  if [ $# -lt 4 ]; then
    check_eq "pixels of the desktop that differ from the test picture" 0 \
      "$(differing_pixels before.png desktop.png)"
    return 0
  fi
  black_outside_monitors "$4" before.png before-monitors.png
  black_outside_monitors "$4" desktop.png desktop-monitors.png
  check_eq "pixels of the monitors that differ from the test picture" 0 \
    "$(differing_pixels before-monitors.png desktop-monitors.png)"
}

# Screenshots during the solve, taken again when one catches a frame half
# drawn, until one equals a frame of the renderer (speed 4). The shuffle's
# seed is its calendar second, which lies between the window's appearance
# (SEEN) and the first frame (SHOWN); a second either side allows for the
# polling. Sets MATCHED_SHOT to the matching screenshot's file and
# MATCHED_SEED and MATCHED_TICK to the frame's.
# shellcheck disable=SC2034  # the test script reads MATCHED_*
match_solve_frame() {  # match_solve_frame RENDERER SEEN SHOWN SOURCE-ARGS...
  local render=$1 seeds=$(( $2 - 2 ))-$(( $3 + 1 )) attempt result
  shift 3
  MATCHED_SHOT='' MATCHED_SEED='' MATCHED_TICK=''
  for attempt in 1 2 3; do
    sleep 0.7
    screenshot "solving-$attempt.png"
    # MATCH_CROP (WxH+X+Y): the part of the screen the saver shows.
    [ -z "${MATCH_CROP:-}" ] || convert "solving-$attempt.png" -crop "$MATCH_CROP" +repage "png24:solving-$attempt.png"
    cp "solving-$attempt.png" "$ARTIFACTS/"
    if result=$("$render" "$@" --speed 4 --seed "$seeds" --ticks 1-200 \
        --match "solving-$attempt.png" --out "$ARTIFACTS"); then
      echo "ok: the screenshot during the solve is the renderer's frame: $result"
      MATCHED_SHOT=solving-$attempt.png
      MATCHED_SEED=$(sed -n 's/.*seed=\([0-9]*\).*/\1/p' <<<"$result")
      MATCHED_TICK=$(sed -n 's/.*tick=\([0-9]*\).*/\1/p' <<<"$result")
      return 0
    fi
    echo "attempt $attempt: $result"
  done
  return 1
}

# A tool of the native build (the renderer, for one), built on demand: the
# test script may run before or without a native build of this tree.
native_tool() {  # native_tool TARGET RELATIVE-PATH
  local tool="$TESS_SOURCE/build/native/$2"
  if [ ! -x "$tool" ]; then
    (cd "$TESS_SOURCE" && cmake --preset native >/dev/null && cmake --build --preset native --target "$1" >/dev/null) ||
      fail "cannot build the native $1"
  fi
  echo "$tool"
}

# Waits up to SECONDS for a visible X window whose title matches the pattern.
wait_x_window() {  # wait_x_window TITLE-REGEX SECONDS
  local limit=$(( $2 * 10 ))
  for _ in $(seq "$limit"); do
    [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to SECONDS until no visible X window's title matches the pattern.
wait_x_window_gone() {  # wait_x_window_gone TITLE-REGEX SECONDS
  for _ in $(seq $(( $2 * 10 ))); do
    [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

# Number of pixels of one colour in an image (colour as rrggbb hex).
colour_count() {  # colour_count FILE RRGGBB
  convert "$1" -fill '#010203' +opaque "#$2" -fill white -opaque "#$2" -fill black -opaque '#010203' \
    -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

# Asks the window probe (testing/win32/window_probe.cpp); prints its
# KEY=VALUE lines.
probe() {
  "$WINE64" "$TESS_BUILD/testing/window_probe.exe" "$@" 2>/dev/null | tr -d '\r'
}

# Prints the value of KEY in a probe's answer.
field() {  # field ANSWER KEY
  sed -n "s/^$2=//p" <<<"$1" | head -n 1
}

# Waits up to SECONDS (default 20) for a top-level window; prints its handle,
# 0 when none came.
wait_window() {  # wait_window CLASS TITLE [SECONDS]
  local handle
  handle=$(field "$(probe find "$1" "$2" "${3:-20}")" hwnd)
  echo "${handle:-0}"
}

# True when the program is still running SECONDS from now.
still_running() {  # still_running PID SECONDS
  sleep "$2"
  kill -0 "$1" 2>/dev/null
}

# A path as Windows programs under Wine see it.
windows_path() {  # windows_path UNIX-PATH
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# The engine's tests start from no stored settings but speed 4, one tick per
# move, so that a solve of 201 moves takes about ten seconds; every stored
# setting is removed at the end.
store_quick_solve() {
  "$WINE64" reg delete 'HKCU\Software\QEL' /f >/dev/null 2>&1 || true
  "$WINE64" reg add 'HKCU\Software\QEL\Tessalander' /v speed /t REG_DWORD /d 4 /f >/dev/null 2>&1 \
    || fail "reg add speed"
  cleanup_hooks+=("\"\$WINE64\" reg delete 'HKCU\\Software\\QEL' /f >/dev/null 2>&1")
}

# True when the registry key exists.
key_exists() { "$WINE64" reg query "$1" >/dev/null 2>&1; }

# Sets a registry value for the rest of the test and removes it at the end.
reg_set_for_test() {  # reg_set_for_test KEY NAME TYPE DATA
  "$WINE64" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 || fail "reg add $1 $2"
  cleanup_hooks+=("\"\$WINE64\" reg delete '$1' /v '$2' /f >/dev/null 2>&1")
}

# Two monitors. A screenshot is the X root: its pixel (0,0) is the virtual
# screen's top-left corner, which is (-800,0) in Windows' coordinates when
# the secondary sits on the left. The root is wider and taller than the
# monitors cover; there X.Org has no pixels, and a screenshot shows whatever
# its buffer last held (rows of the monitor beside it), not what a window drew.

# A screenshot with everything outside the monitors made black, as Wine
# reports the monitors (FACTS: what `probe monitors` printed): the only part
# of a screenshot that can be compared.
black_outside_monitors() {  # black_outside_monitors FACTS IN OUT
  local left top rect l t r b
  local draw=()
  IFS=, read -r left top _ <<<"$(field "$1" virtual)"
  while read -r rect; do
    IFS=, read -r l t r b <<<"$rect"
    draw+=(-draw "rectangle $((l - left)),$((t - top)) $((r - left - 1)),$((b - top - 1))")
  done < <(sed -n 's/^monitor[0-9]*=//p' <<<"$1")
  [ ${#draw[@]} -gt 0 ] || fail "the probe reports no monitor"
  convert "$2" \( +clone -fill black -colorize 100 -fill white "${draw[@]}" \) \
    -compose multiply -composite "png24:$3"
}
