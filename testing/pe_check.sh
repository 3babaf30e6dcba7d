#!/usr/bin/env bash
# The built .scr is one self-contained GUI executable of the right kind: a
# user copies this single file, so it may import only the system's own DLLs
# that every Windows has: never a MinGW runtime DLL, nor msvcrt.dll, which
# the first Windows 95 lacks (and not IMM32, which the saver only uses when
# something else has loaded it).
#
#   pe_check.sh FILE EXPECTED-FILE-TYPE OBJDUMP
set -euo pipefail
scr=$1 expected=$2 objdump=$3

type=$(file -b "$scr")
case "$type" in
  "$expected"*) echo "ok: $type" ;;
  *) echo "FAIL: $scr is '$type', expected '$expected'" >&2; exit 1 ;;
esac

allowed='^(kernel32|user32|gdi32|advapi32|comdlg32)\.dll$'
imports=$("$objdump" -p "$scr" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports: $(echo $imports)"
bad=$(grep -v -E "$allowed" <<<"$imports" || true)
if [ -n "$bad" ]; then
  echo "FAIL: imports outside the system set: $bad" >&2
  exit 1
fi
