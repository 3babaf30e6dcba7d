# Helpers for the configuration dialog's end-to-end tests; source it after
# testing/wine/lib.sh. The tests act as a user would (xdotool clicks and keys
# at the places the dialog probe reports) and read back what the dialogs show
# and what the registry holds.

# The program's texts are code page 932: Wine takes the ANSI code page from
# the locale's name, so no glibc locale needs to exist.
export LC_ALL=ja_JP.UTF-8

KEY='HKCU\Software\QEL\Tessalander'
MAKER_KEY='HKCU\Software\QEL'
STATE="$WORK/dialogs.txt"

dialog_probe() { "$WINE64" "$TESS_BUILD/settings/dialog_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
# A failed test must not leave its dialog for the next one to find.
cleanup_hooks+=("dialog_probe end")

# wait_for config|other|alone|gone: waits and keeps what the dialogs show in $STATE.
wait_for() {
  dialog_probe wait "$1" 20 >"$STATE" || { cat "$STATE" >&2; fail "timed out waiting for '$1'"; }
}
refresh() { dialog_probe dump >"$STATE"; }

# The number of a control named as the resource scripts name it (IDC_PATH,
# IDOK, ...), as the probe prints it; a number stands for itself.
control_id() {  # control_id NAME|NUMBER
  case $1 in
    ID*)
      local id
      id=$(sed -n "s/^#define $1 \(-\{0,1\}[0-9]*\)$/\1/p" "$TESS_SOURCE/resources/resource_ids.h")
      [ -n "$id" ] || fail "no control named $1 in resources/resource_ids.h"
      echo $(( id & 0xFFFF ))
      ;;
    *) echo "$1" ;;
  esac
}

# control [KIND] ID: the probe's line for a control of the configuration
# dialog (KIND config, the default) or of the other dialog (KIND other).
control() {
  local kind=config
  [ $# -eq 2 ] && { kind=$1; shift; }
  awk -v kind="$kind" -v id="$(control_id "$1")" '$1 == "control" && $2 == kind && $3 == id' "$STATE" | head -n 1
}
checked() { control "$@" | awk '{print $10}'; }
enabled() { control "$@" | awk '{print $9}'; }
text_of() { control "$@" | cut -d' ' -f11-; }
window_line() { awk -v kind="${1:-config}" '$1 == "window" && $2 == kind' "$STATE" | head -n 1; }
title_of() { window_line "$@" | cut -d' ' -f10-; }

# click [KIND] ID: a left click in the middle of the control.
click() {
  local line
  line=$(control "$@")
  [ -n "$line" ] || { cat "$STATE" >&2; fail "no control '$*' on the screen"; }
  local left top right bottom
  read -r _ _ _ _ left top right bottom _ <<<"$line"
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

click_close_box() {  # click_close_box [KIND]
  local line
  line=$(awk -v kind="${1:-config}" '$1 == "closebox" && $2 == kind' "$STATE" | head -n 1)
  [ -n "$line" ] || fail "no close box found"
  local x y
  read -r _ _ x y <<<"$line"
  xdotool mousemove "$x" "$y" click 1
}

# Starts the .scr with an exact command line (after the program name) and
# waits for its dialog; the background launcher's pid is in SCR_PID.
open_config() {  # open_config ARGS
  start_win "$TESS_BUILD/testing/launch.exe" "$TESS_SCR" "Tessalander.scr${1:+ $1}"
  SCR_PID=$LAST_PID
  wait_for config
}

# Waits for the configuration process to end and checks its exit code: 255,
# which is -1 as Wine reports it.
expect_exit_255() {  # expect_exit_255 WHAT
  check_eq "exit code after $1" 255 "$(wait_exit "$SCR_PID" 20)"
}

reg_query() { "$WINE64" reg query "$@" 2>/dev/null | tr -d '\r' | tr -s ' \t' ' '; }
clear_settings() { "$WINE64" reg delete "$MAKER_KEY" /f >/dev/null 2>&1 || true; }
set_code() { "$WINE64" reg add "$KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
# The value's line from reg query: "NAME TYPE DATA".
stored() { reg_query "$KEY" /v "$1" | grep -E "^ ?$1 " | sed 's/^ //'; }

# Checks which buttons of the configuration dialog are checked, as
# "ID=0|1 ..." pairs.
expect_checks() {  # expect_checks WHAT ID=STATE...
  local what=$1 pair
  shift
  for pair in "$@"; do
    check_eq "$what: button ${pair%=*} checked" "${pair#*=}" "$(checked "${pair%=*}")"
  done
}

# Saves a picture of the screen area that a dialog covers into the artifacts.
shoot_dialog() {  # shoot_dialog NAME [KIND]
  local left top right bottom
  read -r _ _ _ left top right bottom _ <<<"$(window_line "${2:-config}")"
  screenshot "$WORK/screen.png"
  convert "$WORK/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$ARTIFACTS/$1.png"
  echo "saved $ARTIFACTS/$1.png"
}
