#!/usr/bin/env bash
# What the user picks in the configuration dialog and confirms with OK is
# what the registry holds afterwards, and what the dialog shows when it is
# opened again. A choice the dialog cannot show is kept by an OK that leaves
# its group alone.
. "$TESS_SOURCE/testing/wine/lib.sh"
. "$TESS_SOURCE/settings/tests/e2e/dialog_lib.sh"

raw() { "$WINE64" "$TESS_BUILD/settings/store_probe.exe" read 2>/dev/null | tr -d '\r' | grep "^$1.raw="; }

clear_settings

# Fast, too many shuffles, white, tiled, a typed path.
open_config "/c"
click IDC_SPEED_FAST
click IDC_SHUFFLE_TOO_MANY
click IDC_BACK_WHITE
click IDC_SOURCE_DESKTOP
refresh
check_eq "PathField with the desktop chosen" 0 "$(enabled IDC_PATH)"
click IDC_SOURCE_BITMAP
refresh
check_eq "PathField with the bitmap chosen" 1 "$(enabled IDC_PATH)"
click IDC_TILE
click IDC_PATH
xdotool type --delay 20 'C:\pics\cat.bmp'
refresh
check_eq "typed path" 'C:\pics\cat.bmp' "$(text_of IDC_PATH)"
shoot_dialog config_dialog_before_ok
click IDOK
expect_exit_255 "OK"

rows=(
  'speed REG_DWORD 0x3'
  'shufflenum REG_DWORD 0x4'
  'backcolor REG_DWORD 0x1'
  'getimage REG_DWORD 0x2'
  'parallel REG_DWORD 0x1'
  'bmpfile REG_SZ C:\pics\cat.bmp'
)
for row in "${rows[@]}"; do
  check_eq "stored ${row%% *}" "$row" "$(stored "${row%% *}")"
done
check_eq "raw speed" "speed.raw=type4/size4" "$(raw speed)"
check_eq "raw bmpfile" "bmpfile.raw=type1/size256" "$(raw bmpfile)"

# Opened again, the dialog shows what was stored.
open_config "/c"
expect_checks "reopened" IDC_SPEED_FAST=1 IDC_SPEED_NORMAL=0 IDC_SHUFFLE_TOO_MANY=1 IDC_SHUFFLE_NORMAL=0 IDC_BACK_WHITE=1 IDC_BACK_BLACK=0 IDC_SOURCE_DESKTOP=0 IDC_SOURCE_BITMAP=1 IDC_TILE=1
check_eq "reopened path" 'C:\pics\cat.bmp' "$(text_of IDC_PATH)"
check_eq "reopened PathField enabled" 1 "$(enabled IDC_PATH)"
shoot_dialog config_dialog_reopened

# The desktop as the source, the box unticked: the path is still stored.
click IDC_SPEED_SLOW
click IDC_SOURCE_DESKTOP
click IDC_TILE
click IDOK
expect_exit_255 "the second OK"
rows=(
  'speed REG_DWORD 0x1'
  'getimage REG_DWORD 0x1'
  'parallel REG_DWORD 0x2'
  'bmpfile REG_SZ C:\pics\cat.bmp'
)
for row in "${rows[@]}"; do
  check_eq "stored ${row%% *} after the second OK" "$row" "$(stored "${row%% *}")"
done

# A stored desktop source disables PathField at opening; the two source
# buttons switch it.
open_config "/c"
expect_checks "desktop stored" IDC_SOURCE_DESKTOP=1 IDC_SOURCE_BITMAP=0 IDC_SPEED_SLOW=1
check_eq "PathField at opening with the desktop stored" 0 "$(enabled IDC_PATH)"
click IDC_SOURCE_BITMAP
refresh
check_eq "PathField after clicking the bitmap source" 1 "$(enabled IDC_PATH)"
click IDC_SOURCE_DESKTOP
refresh
check_eq "PathField after clicking the desktop source" 0 "$(enabled IDC_PATH)"
click IDCANCEL
expect_exit_255 "Cancel"
check_eq "getimage after Cancel" 'getimage REG_DWORD 0x1' "$(stored getimage)"

# Codes the dialog does not know: backcolor 3 leaves its group empty and is
# kept; speed 9 shows as normal and is stored back as 2.
set_code backcolor 3
set_code speed 9
open_config "/c"
expect_checks "backcolor 3, speed 9" IDC_BACK_WHITE=0 IDC_BACK_BLACK=0 IDC_SPEED_SLOW=0 IDC_SPEED_NORMAL=1 IDC_SPEED_FAST=0 IDC_SPEED_FASTEST=0
click IDOK
expect_exit_255 "OK over unknown codes"
check_eq "backcolor kept" 'backcolor REG_DWORD 0x3' "$(stored backcolor)"
check_eq "speed stored back" 'speed REG_DWORD 0x2' "$(stored speed)"
clear_settings
