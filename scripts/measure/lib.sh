# shellcheck shell=bash disable=SC2034  # the variables set here are read by the scripts
# Shared by the measuring scripts (scripts/measure-*.sh, scripts/count-requests.sh).
# Source it after `cd` to the top of the tree. Everything started here is
# recorded and ended by measure_cleanup, and only that.
set -euo pipefail

MEASURE_ROOT=$PWD
MEASURE_DIR=$MEASURE_ROOT/scripts/measure
SLIDESCREEN=/usr/libexec/xscreensaver/slidescreen
measure_pids=()       # our processes, ended at clean-up
measure_groups=()     # process groups we made with setsid
measure_envs=()       # Wine environments (testing/wine/env.sh)
MEASURE_WORK=

# A folder of our own for one invocation, removed at the end.
measure_workdir() {  # measure_workdir NAME
  mkdir -p "$MEASURE_ROOT/build"
  MEASURE_WORK=$(mktemp -d "$MEASURE_ROOT/build/$1.XXXXXX")
  trap measure_cleanup EXIT
  trap 'exit 130' INT TERM
}

measure_cleanup() {
  local pid env
  set +e
  for pid in "${measure_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${measure_groups[@]}"; do kill -- "-$pid" 2>/dev/null; done
  for env in "${measure_envs[@]}"; do "$MEASURE_ROOT/testing/wine/env.sh" stop "$env" >/dev/null 2>&1; done
  for pid in "${measure_pids[@]}" "${measure_groups[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  [ -n "$MEASURE_WORK" ] && rm -rf "$MEASURE_WORK"
}

# Prints the usage: the comment at the head of the running script. The
# scripts `cd` before they source this file, so $0 may no longer lead to it.
measure_usage() {
  sed -n '2,/^set -euo/p' "$MEASURE_ROOT/scripts/$(basename "$0")" | sed '$d; s/^# \{0,1\}//'
}

# Ends the script (status 2) unless SIZE is a screen size.
measure_check_size() {  # measure_check_size SIZE
  [[ $1 =~ ^[0-9]+x[0-9]+$ ]] || { echo "SIZE must look like 1024x768" >&2; exit 2; }
}

# What every measurement starts from: the project's packages and any other
# PACKAGE it needs, the build, a work folder for NAME, and a throw-away Wine
# prefix on a new Xvfb of SIZE with its env file sourced. Sets what
# measure_wine_env sets.
measure_prepare() {  # measure_prepare NAME SIZE [PACKAGE...]
  local name=$1 size=$2
  shift 2
  "$MEASURE_ROOT/scripts/install-deps.sh" "$@"
  measure_build
  measure_workdir "$name"
  measure_wine_env "$MEASURE_WORK/wine" "$size"
  # shellcheck disable=SC1090
  . "$WINE_ENV"
}

# The 64-bit saver, its default picture and the black-window and
# block-window test programs; TESS_SCR names another .scr to measure.
measure_build() {
  local targets=(default_image black_window block_window)
  [ -n "${TESS_SCR:-}" ] || targets+=(tessalander_scr)
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target "${targets[@]}" >/dev/null
  SCR=$(realpath "${TESS_SCR:-$MEASURE_ROOT/build/win64/Tessalander.scr}")
  PICTURE=$MEASURE_ROOT/build/win64/default-picture/TessalanderImage.bmp
  BLACK_WINDOW=$MEASURE_ROOT/build/win64/testing/black_window.exe
  BLOCK_WINDOW=$MEASURE_ROOT/build/win64/testing/block_window.exe
}

# Keeps Wine's desktop process up for as long as this invocation runs (see
# testing/win32/black_window.cpp): a program started just as it shuts down
# waits 10 s, which would land in a measurement. Needs the env file sourced,
# or ENV naming the env file of another prefix.
measure_keep_desktop() {  # measure_keep_desktop [ENV]
  measure_in_env "${1:-}" "$BLACK_WINDOW" hidden 7200
  sleep 1
}

# Runs a Windows PROGRAM in the background in the prefix of the env file ENV
# (empty: the one sourced), silent; sets LAST_WINE_PID, which is recorded.
measure_in_env() {  # measure_in_env ENV PROGRAM [ARG...]
  local env=$1
  shift
  (
    # shellcheck disable=SC1090
    [ -z "$env" ] || . "$env"
    exec "$WINE64" "$@" </dev/null >/dev/null 2>&1
  ) &
  LAST_WINE_PID=$!
  measure_pids+=("$LAST_WINE_PID")
}

# A throw-away Wine prefix with a warm wineserver on a new Xvfb of SIZE.
# Sets WINE_ENV (the env file) and XVFB_PID (that Xvfb).
measure_wine_env() {  # measure_wine_env DIR SIZE
  measure_envs+=("$1")
  USE_DISPLAY='' "$MEASURE_ROOT/testing/wine/env.sh" start "$1" "$2" >/dev/null
  WINE_ENV=$1/env
  # Right after the prefix is made, its services are not settled: a second
  # services.exe restarts device drivers every 10 s or so, and a program
  # started meanwhile waits up to 10 s. A new server starts them once.
  (
    # shellcheck disable=SC1090
    . "$WINE_ENV"
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE64" reg query 'HKCU\Software\Wine' >/dev/null 2>&1 || true
  )
  XVFB_PID=$(cat "$1/xvfb.pid")
}

# The pid of the wineserver that serves PREFIX: it works in a folder named
# after the prefix's device and inode numbers. Returns 1 when there is none.
wineserver_pid() {  # wineserver_pid PREFIX
  local dev ino proc
  read -r dev ino < <(stat -c '%d %i' "$1")
  local want
  want=$(printf 'server-%x-%x' "$dev" "$ino")
  for proc in /proc/[0-9]*; do
    case "$(readlink "$proc/exe" 2>/dev/null)" in
      */wineserver*) ;;
      *) continue ;;
    esac
    [ "$(basename "$(readlink "$proc/cwd" 2>/dev/null)")" = "$want" ] && { basename "$proc"; return 0; }
  done
  echo "no wineserver found for $1" >&2
  return 1
}

# The other Windows processes of a Wine prefix (services, the desktop,
# devices), PIDs separated by commas. Programs of ours that merely inherited
# WINEPREFIX (an Xvfb, the peer) are not Wine's: their files are not its loader.
wine_helpers() {  # wine_helpers PREFIX EXCLUDED-PID...
  local prefix=$1 proc pid list=
  shift
  for proc in /proc/[0-9]*; do
    pid=${proc#/proc/}
    case " $* " in *" $pid "*) continue ;; esac
    case "$(readlink "$proc/exe" 2>/dev/null)" in
      */wineserver*) continue ;;
      */wine*) ;;
      *) continue ;;
    esac
    { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix" || continue
    list+=${list:+,}$pid
  done
  echo "$list"
}

# Waits (up to 20 s) until the prefix's desktop process, explorer.exe, has
# ended, so that the next program starts it anew, as the first Wine program
# of a session does.
measure_wait_desktop_gone() {  # measure_wait_desktop_gone PREFIX
  local proc found
  for _ in $(seq 100); do
    found=
    for proc in /proc/[0-9]*; do
      [ "$(cat "$proc/comm" 2>/dev/null)" = explorer.exe ] || continue
      { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$1" && found=1
    done
    [ -z "$found" ] && return 0
    sleep 0.2
  done
  echo "Wine's desktop process did not end" >&2
  return 1
}

# The saver's working folder, $MEASURE_WORK/saver, with the default picture
# in it; with FAST=1 the settings of scripts/run.sh are stored first (speed 4,
# shufflenum 1). Sets SETTINGS to say which. Needs the env file sourced.
measure_saver_folder() {  # measure_saver_folder FAST
  if [ "$1" = 1 ]; then
    local key='HKCU\Software\QEL\Tessalander'
    "$WINE64" reg add "$key" /v speed /t REG_DWORD /d 4 /f >/dev/null 2>&1
    "$WINE64" reg add "$key" /v shufflenum /t REG_DWORD /d 1 /f >/dev/null 2>&1
    SETTINGS="the settings of scripts/run.sh (speed 4, shufflenum 1)"
  else
    SETTINGS="default settings (none stored)"
  fi
  mkdir -p "$MEASURE_WORK/saver"
  cp "$PICTURE" "$MEASURE_WORK/saver/"
}

# Starts the saver, $SCR with the arguments TESS_SCR_ARGS (default "/s"), in
# the folder measure_saver_folder made; its output goes to saver.log. Sets
# SAVER_PID. Needs the env file sourced.
measure_start_saver() {
  # shellcheck disable=SC2086  # TESS_SCR_ARGS is a list of words
  (cd "$MEASURE_WORK/saver" && exec "$WINE64" "$SCR" ${TESS_SCR_ARGS:-/s} \
    </dev/null >>"$MEASURE_WORK/saver.log" 2>&1) &
  SAVER_PID=$!
  measure_pids+=("$SAVER_PID")
}

# A new Xvfb of SIZE at depth 24, in a process group of its own. Sets
# XVFB_DISPLAY and XVFB_PID.
measure_xvfb() {  # measure_xvfb DIR SIZE
  mkdir -p "$1"
  setsid Xvfb -displayfd 5 -screen 0 "${2}x24" -nolisten tcp \
    5>"$1/display.txt" >"$1/xvfb.log" 2>&1 </dev/null &
  XVFB_PID=$!
  measure_groups+=("$XVFB_PID")
  for _ in $(seq 100); do
    [ -s "$1/display.txt" ] && break
    sleep 0.1
  done
  [ -s "$1/display.txt" ] || { echo "Xvfb did not start" >&2; cat "$1/xvfb.log" >&2; return 1; }
  XVFB_DISPLAY=:$(cat "$1/display.txt")
}

# Shows PICTURE, stretched to SIZE, as the wallpaper of DISPLAY for as long as
# this invocation runs.
measure_wallpaper() {  # measure_wallpaper DISPLAY SIZE PICTURE DIR
  local ppm=$4/wallpaper-$2.ppm
  [ -f "$ppm" ] || convert "$3" -resize "$2!" -depth 8 "ppm:$ppm"
  local ready=$4/wallpaper.$$.$RANDOM
  DISPLAY=$1 python3 "$MEASURE_DIR/xprobe.py" set-root "$ppm" >"$ready" &
  measure_pids+=("$!")
  for _ in $(seq 100); do
    [ -s "$ready" ] && return 0
    sleep 0.1
  done
  echo "the wallpaper was not set" >&2
  return 1
}

# Ends one of our processes, or our process group of that number, and waits
# for it, so the next run starts clean. It is then forgotten: the clean-up
# must not signal a number that may since belong to someone else.
measure_stop() {  # measure_stop PID
  local pid=$1 kept=() p
  kill "$pid" 2>/dev/null || true
  case " ${measure_groups[*]} " in *" $pid "*) kill -- "-$pid" 2>/dev/null || true ;; esac
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  for p in "${measure_pids[@]}"; do [ "$p" = "$pid" ] || kept+=("$p"); done
  measure_pids=("${kept[@]}")
  kept=()
  for p in "${measure_groups[@]}"; do [ "$p" = "$pid" ] || kept+=("$p"); done
  measure_groups=("${kept[@]}")
}

# Waits until the machine has been nearly idle for a moment: other people's
# builds would be counted against whoever runs beside them. Gives up after
# LIMIT seconds, says so and returns 1.
measure_wait_quiet() {  # measure_wait_quiet LIMIT
  local limit=$1 waited=0 busy
  while :; do
    busy=$(python3 "$MEASURE_DIR/cpu_window.py" 2 | sed -n 's/^machine //p')
    if awk -v b="$busy" 'BEGIN { exit !(b < 15) }'; then return 0; fi
    if [ "$waited" -ge "$limit" ]; then
      echo "note: the machine stays busy (${busy}% of a core elsewhere); measuring anyway" >&2
      return 1
    fi
    echo "waiting for a quieter machine (${busy}% of a core busy)" >&2
    sleep 8
    waited=$((waited + 10))
  done
}

# The median of numbers on standard input, one per line.
median() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "nan"; exit }
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
