#!/usr/bin/env bash
# A virtual X display and a throw-away 64-bit Wine prefix with a warm
# wineserver, for running the real .scr. Used by the test fixture and by the
# run command.
#
#   env.sh start DIR [WIDTHxHEIGHT[xDEPTH]]  creates DIR/env (source it) and returns
#   env.sh start DIR --monitors right|left   the same on two monitors side by side
#   env.sh stop DIR                          stops the server and the display
#
# The depth is 24 bits unless given. At 8 bits the display is PseudoColor,
# 256 colours, as Windows 95 and 98 often ran: the prefix then draws with
# ClientSideGraphics=N, the one way Wine keeps a program's palette, and
# PrivateColorMap=Y, which gives each program a colormap of all 256 entries
# for its system palette, 236 of them free, as on Windows (Wine's shared one
# leaves 172 here). A program's colormap shows only once it is installed, as
# a window manager would (testing/x11/install_colormap.cpp).
#
# With USE_DISPLAY set to an X display, that display is used instead of a new
# Xvfb (the run command on a desktop). With DESKTOP_KEEPER naming
# testing/win32/black_window.cpp's program, Wine's desktop process is kept up
# for as long as the prefix is (see keep_desktop).
#
# Two monitors: Xvfb cannot place two heads side by side, so X.Org's dummy
# driver serves a 1824x768 root with Xinerama: a 1024x768 primary and an
# 800x600 secondary beside it, to its right ("right") or to its left
# ("left", where Wine's virtual screen starts at x = -800). X.Org needs
# root; a user runs it through sudo.
set -euo pipefail

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
here=$(dirname "$(realpath "$0")")

cmd=${1:?start or stop}
dir=$(realpath -m "${2:?directory}")
size=1024x768
monitors=
case "${3:-}" in
  --monitors)
    monitors=${4:-}
    [ "$monitors" = right ] || [ "$monitors" = left ] || { echo "--monitors takes right or left" >&2; exit 2; }
    ;;
  '') ;;
  *) size=$3 ;;
esac
depth=24
if [[ $size =~ ^([0-9]+x[0-9]+)x([0-9]+)$ ]]; then
  size=${BASH_REMATCH[1]} depth=${BASH_REMATCH[2]}
fi

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo -n)

stop() {
  [ -f "$dir/env" ] || [ -f "$dir/xorg.log" ] || return 0
  if [ -f "$dir/env" ]; then
    # shellcheck disable=SC1091
    . "$dir/env"
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$dir/xvfb.pid"
  fi
  stop_xorg
  rm -rf "$dir/prefix" "$dir/env"
}

# The pid of the X.Org serving this directory: the one whose command line
# names its log file (started through sudo, $! is sudo's pid, and X.Org
# writes no lock file with -displayfd).
our_xorg() {
  local proc
  for proc in /proc/[0-9]*; do
    [ "$(cat "$proc/comm" 2>/dev/null)" = Xorg ] || continue
    if tr '\0' ' ' <"$proc/cmdline" 2>/dev/null | grep -qF -- "-logfile $dir/xorg.log "; then
      echo "${proc#/proc/}"
      return 0
    fi
  done
  return 1
}

# Ends our X.Org and waits until it is gone.
stop_xorg() {
  local pid
  pid=$(our_xorg) || return 0
  "${as_root[@]}" kill "$pid" >/dev/null 2>&1 || true
  for _ in $(seq 100); do
    [ -d "/proc/$pid" ] || return 0
    sleep 0.1
  done
  "${as_root[@]}" kill -KILL "$pid" >/dev/null 2>&1 || true
}

# Starts X.Org with the dummy driver on a free display number; prints the
# display's name.
start_xorg() {  # start_xorg right|left
  local config=$here/two-monitors.xorg.conf
  if [ "$1" = left ]; then
    # The same heads, the secondary moved to the primary's left.
    config=$dir/two-monitors-left.xorg.conf
    sed 's/\bRightOf\b/LeftOf/' "$here/two-monitors.xorg.conf" >"$config"
    grep -q '^ *Screen .*\bLeftOf\b' "$config" || { echo "no RightOf to turn into LeftOf in the configuration" >&2; exit 1; }
  fi
  rm -f "$dir/display.txt"
  # -displayfd picks a free display number. -sharevts -novtswitch: the
  # server neither takes a virtual terminal of its own nor switches to one
  # (on a desktop, the user's session stays in front).
  setsid "${as_root[@]}" Xorg -displayfd 5 -config "$config" -sharevts -novtswitch \
    -noreset -nolisten tcp -logfile "$dir/xorg.log" \
    5>"$dir/display.txt" >"$dir/xorg.out" 2>&1 </dev/null &
  local launcher=$!
  for _ in $(seq 300); do
    [ -s "$dir/display.txt" ] && break
    kill -0 "$launcher" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$dir/display.txt" ]; then
    echo "X.Org did not start" >&2
    cat "$dir/xorg.out" >&2
    stop_xorg
    exit 1
  fi
  local number heads=0
  number=$(cat "$dir/display.txt")
  for _ in $(seq 100); do
    heads=$(xdpyinfo -display ":$number" -ext XINERAMA 2>/dev/null | grep -c 'head #') && break
    sleep 0.1
  done
  if [ "$heads" != 2 ]; then
    echo "X.Org on :$number shows $heads heads, not 2" >&2
    stop_xorg
    exit 1
  fi
  echo ":$number"
}

start() {
  stop
  mkdir -p "$dir"
  local display
  if [ -n "$monitors" ]; then
    display=$(start_xorg "$monitors")
  elif [ -n "${USE_DISPLAY:-}" ]; then
    display=$USE_DISPLAY
  else
    rm -f "$dir/display.txt"
    # -displayfd picks a free display number, so parallel runs never collide.
    setsid Xvfb -displayfd 5 -screen 0 "${size}x${depth}" -nolisten tcp \
      5>"$dir/display.txt" >"$dir/xvfb.log" 2>&1 </dev/null &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
      [ -s "$dir/display.txt" ] && break
      sleep 0.1
    done
    [ -s "$dir/display.txt" ] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    display=:$(cat "$dir/display.txt")
  fi

  cat >"$dir/env" <<ENV
export DISPLAY='$display'
export WINEPREFIX='$dir/prefix'
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export WINE64='$WINE64'
export WINESERVER='$WINESERVER'
ENV
  # shellcheck disable=SC1091
  . "$dir/env"
  mkdir -p "$WINEPREFIX"
  # The persistent server must be up before wineboot creates the prefix.
  "$WINESERVER" -w >/dev/null 2>&1 || true
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE64" wineboot -i >"$dir/wineboot.log" 2>&1 || true
  # Without a window manager, managed windows stall and lose their frames.
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] || { echo "wine prefix was not created" >&2; cat "$dir/wineboot.log" >&2; exit 1; }
  install_fonts
  if [ "$depth" = 8 ]; then
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v ClientSideGraphics /t REG_SZ /d N /f >/dev/null 2>&1
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v PrivateColorMap /t REG_SZ /d Y /f >/dev/null 2>&1
  fi
  if [ -n "$monitors" ]; then
    # Wine reads the monitors from Xinerama only with XVidMode off. The
    # desktop process that wineboot started has already read them, so the
    # server is started afresh: the next program starts a new desktop.
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXVidMode /t REG_SZ /d N /f >/dev/null 2>&1
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
  fi
  keep_desktop
}

# Wine ends its desktop process a moment after the last program on the
# desktop goes, and a program started while it is ending waits 10 s. Tests
# start programs one after another, so now and then one would wait so: a
# hidden window that stays open for the prefix's life keeps the desktop up.
# The server's end (stop) ends it too.
keep_desktop() {
  [ -n "${DESKTOP_KEEPER:-}" ] || return 0
  setsid "$WINE64" "$DESKTOP_KEEPER" hidden 7200 </dev/null >"$dir/keeper.log" 2>&1 &
  sleep 1
}

# Fonts as a Windows system has them. Started directly, this loader does not
# find Wine's own fonts (Marlett draws the caption's close box), so they are
# linked into the prefix. The Japanese faces that the configuration dialog
# and its message boxes ask for under code page 932 are stood in for by
# Debian's IPA fonts: "MS UI Gothic" (the system's dialog and caption font),
# "ＭＳ Ｐゴシック" (the dialog template's) and their relatives.
install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$font" ] && ln -sf "$font" "$fonts/"
  done
  # regedit reads UTF-16 with a byte-order mark; the value names are Japanese.
  {
    printf '\xff\xfe'
    iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS Gothic"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"
REG
  } >"$dir/fonts.reg"
  "$WINE64" regedit /S "Z:${dir//\//\\}\\fonts.reg" >/dev/null 2>&1
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start DIR [WIDTHxHEIGHT[xDEPTH] | --monitors right|left] | stop DIR" >&2; exit 2 ;;
esac
