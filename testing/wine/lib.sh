# Helpers for the end-to-end tests. Source it from a test script; CTest passes
#   TESS_WINE_ENV  the env file of the running display and Wine prefix
#   TESS_SCR       the Tessalander.scr under test
#   TESS_BUILD     the build directory (test programs live in its testing/ and subsystem folders)
#   TESS_SOURCE    the source tree
set -euo pipefail

# shellcheck disable=SC1090
. "${TESS_WINE_ENV:?run under CTest or source an env file}"

TEST_NAME=${TEST_NAME:-$(basename "$0" .sh)}
WORK=$(mktemp -d "${TESS_BUILD:-/tmp}/e2e-${TEST_NAME}.XXXXXX")
ARTIFACTS=${TESS_BUILD:-/tmp}/e2e-artifacts/$TEST_NAME
mkdir -p "$ARTIFACTS"
cleanup_hooks=()
on_exit() {
  local hook
  for hook in "${cleanup_hooks[@]}"; do eval "$hook" || true; done
  rm -rf "$WORK"
}
trap on_exit EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

check_eq() {  # check_eq WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
  echo "ok: $1 = $3"
}

wine64() { "$WINE64" "$@"; }

# Runs a Windows program in the background; its pid is in LAST_PID. Its exit
# code is written to a file, because wait_exit usually runs inside $(...),
# and a subshell cannot reliably `wait` for its parent's children.
start_win() {
  (
    "$WINE64" "$@" </dev/null >>"$WORK/wine.out" 2>&1 &
    child=$!
    trap 'kill "$child" 2>/dev/null' TERM
    rc=0
    wait "$child" || rc=$?
    { echo "$rc" >"$WORK/exit.$BASHPID.part" && mv "$WORK/exit.$BASHPID.part" "$WORK/exit.$BASHPID"; } \
      2>/dev/null || true
  ) &
  LAST_PID=$!
  cleanup_hooks+=("kill $LAST_PID 2>/dev/null")
}

# Waits up to SECONDS for a background program to end; prints its exit code.
wait_exit() {  # wait_exit PID SECONDS
  local pid=$1 limit=$(( $2 * 10 ))
  for _ in $(seq "$limit"); do
    if [ -f "$WORK/exit.$pid" ]; then
      cat "$WORK/exit.$pid"
      return 0
    fi
    # A program started some other way than start_win.
    if ! kill -0 "$pid" 2>/dev/null && [ ! -f "$WORK/exit.$pid" ]; then
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

# Runs the .scr with an exact command line (see testing/win32/launch.cpp).
scr_exit_code_raw() {  # scr_exit_code_raw ESCAPED-LINE
  local rc=0
  timeout 30 "$WINE64" "$TESS_BUILD/testing/launch.exe" "$TESS_SCR" "$1" \
    </dev/null >>"$WORK/wine.out" 2>&1 || rc=$?
  echo "$rc"
}

screenshot() {  # screenshot FILE.png
  import -display "$DISPLAY" -window root "png:$1"
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

# Waits up to SECONDS for a visible window whose title matches the pattern.
wait_window() {  # wait_window TITLE-REGEX SECONDS
  local limit=$(( $2 * 10 ))
  for _ in $(seq "$limit"); do
    [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

# Number of pixels of one colour in an image (colour as rrggbb hex).
colour_count() {  # colour_count FILE RRGGBB
  convert "$1" -fill '#010203' +opaque "#$2" -fill white -opaque "#$2" -fill black -opaque '#010203' \
    -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}
