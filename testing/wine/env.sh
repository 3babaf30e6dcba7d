#!/usr/bin/env bash
# A virtual X display and a throw-away 64-bit Wine prefix with a warm
# wineserver, for running the real .scr. Used by the test fixture and by the
# run command.
#
#   env.sh start DIR [WIDTHxHEIGHT]   creates DIR/env (source it) and returns
#   env.sh stop DIR                   stops the server and the display
#
# With USE_DISPLAY set to an X display, that display is used instead of a new
# Xvfb (the run command on a desktop).
set -euo pipefail

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

cmd=${1:?start or stop}
dir=$(realpath -m "${2:?directory}")
size=${3:-1024x768}

stop() {
  [ -f "$dir/env" ] || return 0
  # shellcheck disable=SC1091
  . "$dir/env"
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -rf "$dir/prefix" "$dir/env"
}

start() {
  stop
  mkdir -p "$dir"
  local display
  if [ -n "${USE_DISPLAY:-}" ]; then
    display=$USE_DISPLAY
  else
    rm -f "$dir/display.txt"
    # -displayfd picks a free display number, so parallel runs never collide.
    setsid Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp \
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
  *) echo "usage: $0 start|stop DIR [WIDTHxHEIGHT]" >&2; exit 2 ;;
esac
