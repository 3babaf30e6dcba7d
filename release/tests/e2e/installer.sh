#!/usr/bin/env bash
# The installer end to end under wine64, one row of the table below per test,
# in the prefix that the release's tests share (fresh for the run; each row
# leaves it as it found it). A silent install puts the right .scr where it
# belongs, byte for byte, makes it the screen saver, puts its two entries in
# the Start menu that belongs to the install and registers a complete
# uninstall entry; an install over it keeps the user's settings and writes
# the entries anew; the silent uninstall removes the file, the folder, the
# entries and the uninstall entry and gives back the screen saver that was
# set before; a second run of the uninstaller changes nothing and ends
# cleanly.
#
#   installer.sh CASE
. "$TESS_SOURCE/testing/wine/lib.sh"

# The test builds of release/installer/tessalander.nsi: plain sees 64-bit
# Windows, windows32 acts as on 32-bit Windows, windows9x as on Windows 95/98/ME.
#
# build: which test build | switches: the installer's, after /S
# folder: where the .scr goes: user (%LOCALAPPDATA%\Programs\Tessalander),
#   spaced (the /D folder), system (System32), windows (the Windows folder)
# file: which .scr | setting: how it is made the screen saver: its path in
#   the registry (registry), its short path there (short), or in SYSTEM.INI
# entry: where the uninstall entry goes | menu: whose Start menu holds the
#   Tessalander folder: the user's (APPDATA) or everyone's (ProgramData)
# before: the screen saver set before
# extras: run (start the installed saver), by_hand (the user deletes the
#   .scr before the uninstall), remove (/REMOVESETTINGS)
spaced='C:\My Screen Savers\Tessalander'
cases=(
  # case                 |build    |switches  |folder |file|setting |entry|menu       |before                             |extras
  "per_user              |plain    |          |user   |x64 |registry|HKCU |APPDATA    |C:\windows\system32\previous.scr   |run"
  "spaces_deleted_by_hand|plain    |/D=$spaced|spaced |x64 |short   |HKCU |APPDATA    |                                   |by_hand remove"
  "all_users             |plain    |/ALLUSERS |system |x64 |registry|HKLM |ProgramData|C:\windows\system32\previous.scr   |"
  "windows32             |windows32|          |user   |x86 |registry|HKCU |APPDATA    |C:\windows\system32\ssmystify.scr  |"
  "windows32_all_users   |windows32|/ALLUSERS |system |x86 |registry|HKLM |ProgramData|                                   |"
  "windows9x             |windows9x|          |windows|x86 |ini     |HKLM |ProgramData|C:\WINDOWS\SYSTEM\PREVIOUS.SCR     |"
)

UNINSTALL='Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessalander'
DESKTOP='HKCU\Control Panel\Desktop'
SETTINGS='HKCU\Software\QEL\Tessalander'
OTHER_SETTINGS='HKCU\Software\QEL\Other'
INI=$WINEPREFIX/drive_c/windows/system.ini
SETTINGS_LINK='Tessalander settings.lnk'
USE_LINK='Use Tessalander as the screen saver.lnk'
# Wine would also write each shortcut into this machine's own desktop menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="
command -v lnkinfo >/dev/null || fail "lnkinfo is missing (Debian's liblnk-utils; scripts/install-deps.sh installs it)"

trim() { sed 's/^ *//; s/ *$//' <<<"$1"; }

row=
for line in "${cases[@]}"; do
  [ "$(trim "${line%%|*}")" = "${1:?case}" ] && row=$line
done
[ -n "$row" ] || fail "no case '$1'"
IFS='|' read -r _ build switches folder file setting root menu before extras <<<"$row"
for field in build switches folder file setting root menu before extras; do
  printf -v "$field" '%s' "$(trim "${!field}")"
done
has() { [[ " $extras " == *" $1 "* ]]; }
other_root=HKLM
[ "$root" = HKCU ] || other_root=HKCU
store=registry other_store=ini
[ "$setting" != ini ] || { store=ini other_store=registry; }

# --- Reading and writing the prefix ---

# The values of a registry key, one NAME=DATA line each (DWORDs in hex);
# nothing when the key is absent.
reg_values() {
  "$WINE64" reg query "$1" 2>/dev/null | tr -d '\r' |
    awk -F'    ' 'NF >= 4 && $3 ~ /^REG_/ { data = $4; for (i = 5; i <= NF; i++) data = data FS $i; print $2 "=" data }'
}

value_of() {  # value_of VALUES NAME
  sed -n "s/^$2=//p" <<<"$1"
}

# [boot] SCRNSAVE.EXE of SYSTEM.INI; fails when it is not there.
ini_saver() {
  awk '{ sub(/\r$/, "") }
    /^\[/ { inside = (tolower($0) == "[boot]"); next }
    inside && toupper(substr($0, 1, 13)) == "SCRNSAVE.EXE=" { print substr($0, 14); found = 1; exit }
    END { exit !found }' "$INI"
}

set_ini_saver() {  # set_ini_saver VALUE (empty: none)
  python3 - "$INI" "$1" <<'PY'
import sys
path, value = sys.argv[1:]
with open(path, encoding="latin-1", newline="") as f:
    lines = f.read().splitlines()
out, section, done = [], None, not value
for line in lines:
    if line.startswith("["):
        if section == "[boot]" and not done:
            out.append("SCRNSAVE.EXE=" + value)
            done = True
        section = line.strip().lower()
    elif section == "[boot]" and line.upper().startswith("SCRNSAVE.EXE="):
        continue
    out.append(line)
if not done:
    out += ([] if section == "[boot]" else ["[boot]"]) + ["SCRNSAVE.EXE=" + value]
with open(path, "w", encoding="latin-1", newline="") as f:
    f.write("\r\n".join(out) + "\r\n")
PY
}

# The screen saver as STORE (registry or ini) names it; "(none)" for none.
saver_setting() {  # saver_setting STORE
  local values
  if [ "$1" = ini ]; then
    ini_saver || echo "(none)"
    return 0
  fi
  values=$(reg_values "$DESKTOP")
  if grep -q '^SCRNSAVE\.EXE=' <<<"$values"; then value_of "$values" 'SCRNSAVE\.EXE'; else echo "(none)"; fi
}

set_saver_setting() {  # set_saver_setting STORE VALUE ("(none)" or empty: none)
  local value=$2
  [ "$value" != "(none)" ] || value=
  if [ "$1" = ini ]; then
    set_ini_saver "$value"
  elif [ -n "$value" ]; then
    "$WINE64" reg add "$DESKTOP" /v SCRNSAVE.EXE /t REG_SZ /d "$value" /f >/dev/null 2>&1 || fail "reg add SCRNSAVE.EXE"
  else
    "$WINE64" reg delete "$DESKTOP" /v SCRNSAVE.EXE /f >/dev/null 2>&1 || true
  fi
}

environment() {  # environment NAME: a variable of Windows programs' environment
  "$WINE64" cmd /c set 2>/dev/null | tr -d '\r' | sed -n "s/^$1=//Ip" | head -n 1
}

unix_path() { "$WINE64" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

# What a shortcut runs, as a command line: "TARGET" ARGUMENTS.
link_command() {  # link_command FILE.lnk
  local info
  info=$(lnkinfo "$1" 2>&1) || fail "lnkinfo $1: $info"
  printf '"%s" %s' "$(sed -n 's/^\tLocal path\t*: //p' <<<"$info")" \
    "$(sed -n 's/^\tCommand line arguments\t*: //p' <<<"$info")"
}

# Runs a Windows program with the exact command line "PROGRAM" ARGS (NSIS
# reads /D= and _?= unquoted, to the end of the line); prints its exit code.
run_line() {  # run_line WINDOWS-PROGRAM ARGS
  local line="\"$1\" $2" rc=0
  line=${line//\\/\\\\}
  line=${line//\"/\\\"}
  timeout 120 "$WINE64" "$TESS_LAUNCH" "$1" "$line" </dev/null >>"$WORK/wine.out" 2>&1 || rc=$?
  echo "$rc"
}

# The uninstaller copies itself into %TEMP% and runs the copy, which carries
# on after the command has ended: waits up to 60 s for the copy working on
# FOLDER to end.
wait_uninstaller_copy() {  # wait_uninstaller_copy FOLDER
  local proc line running
  for _ in $(seq 600); do
    running=
    for proc in /proc/[0-9]*; do
      line=$(tr '\0' ' ' <"$proc/cmdline" 2>/dev/null) || continue
      [[ $line == *'\Un.exe '* && $line == *"_?=$1"* ]] && running=1
    done
    [ -n "$running" ] || return 0
    sleep 0.1
  done
  fail "the uninstaller's copy was still running after 60 s"
}

# --- Where things go ---

case $folder in
  user) instdir="$(environment LOCALAPPDATA)\\Programs\\Tessalander" scrdir=$instdir ;;
  spaced) instdir=$spaced scrdir=$instdir ;;
  system) instdir="$(environment ProgramFiles)\\Tessalander" scrdir="$(environment SystemRoot)\\system32" ;;
  windows) instdir="$(environment ProgramFiles)\\Tessalander" scrdir=$(environment SystemRoot) ;;
esac
scr="$scrdir\\Tessalander.scr"
# The Start menu's folder, and the other Start menu's, which stays empty.
other_menu=APPDATA
[ "$menu" = ProgramData ] || other_menu=ProgramData
menu_dir="$(environment "$menu")\\Microsoft\\Windows\\Start Menu\\Programs\\Tessalander"
other_menu_dir="$(environment "$other_menu")\\Microsoft\\Windows\\Start Menu\\Programs\\Tessalander"
menu_unix=$(unix_path "$menu_dir")
other_menu_unix=$(unix_path "$other_menu_dir")
scr_unix=$(unix_path "$scr")
instdir_unix=$(unix_path "$instdir")
uninstaller_unix=$instdir_unix/uninstall.exe
built_scr=$TESS_BUILD/$file/Tessalander.scr
installer=$(windows_path "$TESS_INSTALLERS/tessalander-$build-test.exe")
echo "case $1: $installer /S $switches: $scr, uninstaller in $instdir"

# The state before: the screen saver as the row has it; the other store as
# it is, and nothing may touch it.
set_saver_setting "$store" "$before"
other_before=$(saver_setting "$other_store")
leave_as_found() {
  "$WINE64" reg delete "HKCU\\$UNINSTALL" /f >/dev/null 2>&1
  "$WINE64" reg delete "HKLM\\$UNINSTALL" /f >/dev/null 2>&1
  "$WINE64" reg delete 'HKCU\Software\QEL' /f >/dev/null 2>&1
  rm -f "$scr_unix"
  rm -rf "$instdir_unix" "$menu_unix"
  set_saver_setting "$store" ""
}
cleanup_hooks+=(leave_as_found)

install() {  # install WHAT
  check_eq "$1: the silent install's exit code" 0 "$(run_line "$installer" "/S${switches:+ $switches}")"
}

check_installed() {  # check_installed WHAT
  [ -f "$scr_unix" ] || fail "$1: $scr is missing"
  cmp -s "$scr_unix" "$built_scr" || fail "$1: $scr is not the built $file .scr"
  echo "ok: $1: $scr is the built $file .scr, byte for byte"

  local now
  now=$(saver_setting "$store")
  case $setting in
    registry) check_eq "$1: SCRNSAVE.EXE" "$scr" "$now" ;;
    short | ini)
      # Windows runs the setting as an unquoted command line; Windows
      # 95/98/ME want 8.3 names throughout.
      [[ $now != *' '* && $now != "$scr" ]] || fail "$1: '$now' is not the short form of $scr"
      if [ "$setting" = ini ]; then
        grep -qE '^[A-Za-z]:(\\[^\\. ]{1,8}(\.[^\\. ]{1,3})?)+$' <<<"$now" || fail "$1: '$now' is not an 8.3 path"
      fi
      echo "ok: $1: the setting is the short form '$now'"
      ;;
  esac
  [ "$(unix_path "$now")" -ef "$scr_unix" ] || fail "$1: the screen saver setting '$now' does not name $scr"
  echo "ok: $1: the screen saver setting names the installed file"
  check_eq "$1: the $other_store screen saver setting (untouched)" "$other_before" "$(saver_setting "$other_store")"

  # The settings, and what the .scr's own Install command runs (Windows
  # 95/98/ME keep rundll32 in the Windows folder and want the short path).
  local windows rundll32 use=$scr
  windows=$(environment SystemRoot)
  rundll32="$windows\\system32\\rundll32.exe"
  [ "$setting" != ini ] || { rundll32="$windows\\rundll32.exe" use=$now; }
  check_eq "$1: the entries in $menu_dir" "$SETTINGS_LINK|$USE_LINK" "$(ls "$menu_unix" | paste -sd '|')"
  check_eq "$1: $SETTINGS_LINK runs" "\"$scr\" /c" "$(link_command "$menu_unix/$SETTINGS_LINK")"
  check_eq "$1: $USE_LINK runs" "\"$rundll32\" desk.cpl,InstallScreenSaver $use" \
    "$(link_command "$menu_unix/$USE_LINK")"
  [ ! -e "$other_menu_unix" ] || fail "$1: entries in the other Start menu, $other_menu_dir"

  local values size row name
  values=$(reg_values "$root\\$UNINSTALL")
  size=$(( ($(stat -c %s "$scr_unix") + $(stat -c %s "$uninstaller_unix") + 1023) / 1024 ))
  local expected=(
    "DisplayName=Tessalander"
    "DisplayVersion=$TESS_VERSION"
    "Publisher=The Tessalander authors"
    "DisplayIcon=$scr,0"
    "EstimatedSize=$(printf '0x%x' "$size")"
    "InstallLocation=$instdir"
    "UninstallString=\"$instdir\\uninstall.exe\""
    "QuietUninstallString=\"$instdir\\uninstall.exe\" /S"
  )
  for row in "${expected[@]}"; do
    name=${row%%=*}
    check_eq "$1: $root entry's $name" "${row#*=}" "$(value_of "$values" "$name")"
  done
  check_eq "$1: $other_root entry" "" "$(reg_values "$other_root\\$UNINSTALL")"
}

# After an uninstall: nothing of the install left, the screen saver from
# before, the user's settings unless removal was asked, and never the
# settings of another program.
check_uninstalled() {  # check_uninstalled WHAT
  [ ! -e "$scr_unix" ] || fail "$1: $scr remains"
  [ ! -e "$instdir_unix" ] || fail "$1: $instdir remains: $(ls "$instdir_unix")"
  [ ! -e "$menu_unix" ] || fail "$1: $menu_dir remains: $(ls "$menu_unix")"
  echo "ok: $1: $scr, $instdir and $menu_dir are gone"
  check_eq "$1: HKCU and HKLM entries" "" "$(reg_values "HKCU\\$UNINSTALL")$(reg_values "HKLM\\$UNINSTALL")"
  check_eq "$1: the screen saver (the one from before)" "${before:-(none)}" "$(saver_setting "$store")"
  check_eq "$1: the $other_store screen saver setting (untouched)" "$other_before" "$(saver_setting "$other_store")"
  if has remove; then
    key_exists "$SETTINGS" && fail "$1: $SETTINGS remains after /REMOVESETTINGS"
    echo "ok: $1: $SETTINGS removed"
  else
    check_eq "$1: the user's speed" 0x4 "$(value_of "$(reg_values "$SETTINGS")" speed)"
  fi
  check_eq "$1: another program's settings beside them" yes "$(value_of "$(reg_values "$OTHER_SETTINGS")" kept)"
}

# --- Install ---
install "install"
check_installed "install"

if has run; then
  # The saver from its installed place, on a picture in its working folder.
  cd "$WORK"
  convert -size 256x192 gradient:'#1030a0-#f0c040' -type TrueColor BMP3:TessalanderImage.bmp
  screenshot before.png
  TESS_SCR=$scr_unix start_saver_until_drawn before.png "the saver started from $scr"
  screenshot "$ARTIFACTS/installed_saver.png"
  echo "ok: the installed saver drew"
  xdotool key a
  check_eq "the installed saver's exit code after a key" 0 "$(wait_exit "$SAVER" 10)"
fi

# --- Upgrade: the user has chosen settings; the install again keeps them, and
# writes anew an entry that no longer runs what it should. ---
cp "$menu_unix/$USE_LINK" "$menu_unix/$SETTINGS_LINK"
"$WINE64" reg add "$SETTINGS" /v speed /t REG_DWORD /d 4 /f >/dev/null 2>&1 || fail "reg add speed"
"$WINE64" reg add "$OTHER_SETTINGS" /v kept /t REG_SZ /d yes /f >/dev/null 2>&1 || fail "reg add kept"
install "upgrade"
check_installed "upgrade"
check_eq "upgrade: the user's speed" 0x4 "$(value_of "$(reg_values "$SETTINGS")" speed)"

# --- Uninstall ---
cp "$uninstaller_unix" "$WORK/uninstaller-copy.exe"
removal=
has remove && removal=" /REMOVESETTINGS"
if has by_hand; then
  rm "$scr_unix"
  # A copy run with _?=, as the uninstaller runs its own copy in %TEMP%, so
  # that its exit code shows (NSIS's documentation, appendix D.1).
  check_eq "uninstall after the .scr was deleted by hand: exit code" 0 \
    "$(run_line "$(windows_path "$WORK/uninstaller-copy.exe")" "/S$removal _?=$instdir")"
else
  quiet=$(value_of "$(reg_values "$root\\$UNINSTALL")" QuietUninstallString)
  program=${quiet#\"}
  program=${program%%\"*}
  check_eq "the QuietUninstallString command's exit code" 0 \
    "$(run_line "$program" "${quiet:${#program}+3}$removal")"
  wait_uninstaller_copy "$instdir"
fi
check_uninstalled "uninstall"

# --- A second run of the uninstaller, kept by the user: nothing changes. ---
mkdir -p "$instdir_unix"
cp "$WORK/uninstaller-copy.exe" "$uninstaller_unix"
check_eq "second uninstall: exit code" 0 \
  "$(run_line "$(windows_path "$WORK/uninstaller-copy.exe")" "/S _?=$instdir")"
check_uninstalled "second uninstall"
