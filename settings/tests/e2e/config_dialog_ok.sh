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
click 1021
click 1029
click 1004
click 1005
refresh
check_eq "PathField with the desktop chosen" 0 "$(enabled 1000)"
click 1006
refresh
check_eq "PathField with the bitmap chosen" 1 "$(enabled 1000)"
click 1025
click 1000
xdotool type --delay 20 'C:\pics\cat.bmp'
refresh
check_eq "typed path" 'C:\pics\cat.bmp' "$(text_of 1000)"
shoot_dialog config_dialog_before_ok
click 1
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
expect_checks "reopened" 1021=1 1020=0 1029=1 1027=0 1004=1 1010=0 1005=0 1006=1 1025=1
check_eq "reopened path" 'C:\pics\cat.bmp' "$(text_of 1000)"
check_eq "reopened PathField enabled" 1 "$(enabled 1000)"
shoot_dialog config_dialog_reopened

# The desktop as the source, the box unticked: the path is still stored.
click 1002
click 1005
click 1025
click 1
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
expect_checks "desktop stored" 1005=1 1006=0 1002=1
check_eq "PathField at opening with the desktop stored" 0 "$(enabled 1000)"
click 1006
refresh
check_eq "PathField after clicking the bitmap source" 1 "$(enabled 1000)"
click 1005
refresh
check_eq "PathField after clicking the desktop source" 0 "$(enabled 1000)"
click 2
expect_exit_255 "Cancel"
check_eq "getimage after Cancel" 'getimage REG_DWORD 0x1' "$(stored getimage)"

# Codes the dialog does not know: backcolor 3 leaves its group empty and is
# kept; speed 9 shows as normal and is stored back as 2.
set_code backcolor 3
set_code speed 9
open_config "/c"
expect_checks "backcolor 3, speed 9" 1004=0 1010=0 1002=0 1020=1 1021=0 1022=0
click 1
expect_exit_255 "OK over unknown codes"
check_eq "backcolor kept" 'backcolor REG_DWORD 0x3' "$(stored backcolor)"
check_eq "speed stored back" 'speed REG_DWORD 0x2' "$(stored speed)"
clear_settings
