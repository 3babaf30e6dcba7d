#!/usr/bin/env bash
# The settings store against Wine's real registry: what WriteSetting stores,
# what the store reads back, and what DeleteSettings removes.
. "$TESS_SOURCE/testing/wine/lib.sh"

store_probe() { "$WINE64" "$TESS_BUILD/settings/store_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
key='HKCU\Software\QEL\Tessalander'
reg_query() { "$WINE64" reg query "$@" 2>/dev/null | tr -d '\r'; }

"$WINE64" reg delete 'HKCU\Software\QEL' /f >/dev/null 2>&1 || true

# Nothing stored: every read gives the default, and reading creates no key.
out=$(store_probe read)
for name in speed shufflenum backcolor getimage parallel; do
  check_eq "$name with nothing stored" "$name=-1" "$(grep "^$name=" <<<"$out")"
done
check_eq "bmpfile with nothing stored" "bmpfile=(none)" "$(grep '^bmpfile=' <<<"$out")"
! key_exists "$key" || fail "reading created the key"
echo "ok: reads create no key"

# All six written through WriteSetting.
store_probe write >/dev/null
query=$(reg_query "$key")
echo "$query"
for expected in 'speed REG_DWORD 0x3' 'shufflenum REG_DWORD 0x4' 'backcolor REG_DWORD 0x1' \
                'getimage REG_DWORD 0x2' 'parallel REG_DWORD 0x1' 'bmpfile REG_SZ C:\pictures\cat.bmp'; do
  grep -qF "$expected" <<<"$(tr -s ' \t' ' ' <<<"$query")" || fail "reg query lacks '$expected'"
  echo "ok: reg query shows $expected"
done

out=$(store_probe read)
for row in speed=3 shufflenum=4 backcolor=1 getimage=2 parallel=1 'bmpfile=C:\pictures\cat.bmp' \
           speed.raw=type4/size4 parallel.raw=type4/size4 bmpfile.raw=type1/size256; do
  grep -qxF "$row" <<<"$out" || fail "read back lacks '$row': $out"
  echo "ok: read back $row"
done

# Delete takes the product's key and leaves the maker's.
"$WINE64" reg add 'HKCU\Software\QEL' /v keep /t REG_SZ /d yes /f >/dev/null 2>&1
check_eq "DeleteSettings status" "delete=0" "$(store_probe delete)"
! key_exists "$key" || fail "the key survived DeleteSettings"
grep -q keep <<<"$(reg_query 'HKCU\Software\QEL')" || fail "DeleteSettings removed Software\\QEL"
echo "ok: only the product's key was deleted"
out=$(store_probe read)
check_eq "speed after delete" "speed=-1" "$(grep '^speed=' <<<"$out")"

# A write with an invalid code stores nothing but still creates the key.
check_eq "invalid write" "write backcolor=0" "$(store_probe invalid)"
key_exists "$key" || fail "the invalid write did not create the key"
out=$(store_probe read)
check_eq "backcolor after invalid write" "backcolor.raw=none" "$(grep '^backcolor.raw=' <<<"$out")"
"$WINE64" reg delete 'HKCU\Software\QEL' /f >/dev/null 2>&1 || true
