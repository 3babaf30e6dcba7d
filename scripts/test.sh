#!/usr/bin/env bash
# Builds the four configurations and the release archive, and runs every
# test, unit and end to end, in one CTest run: the native core under ASan and
# UBSan, the same core as the 32-bit .scr's code under qemu-i386, the 32-bit
# .scr's static checks, the 64-bit .scr under wine64 on a
# virtual display (the test fixture starts the display and a warm wineserver,
# and stops them), the archive, built a second time elsewhere, and the
# installer, a 64-bit build of it run under wine64 in prefixes of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in native i386 win32 win64 release; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

# One CTest over the five build trees, so one summary line ends the run.
cat >build/CTestTestfile.cmake <<'CTEST'
subdirs("native" "i386" "win32" "win64" "release")
CTEST
ctest --test-dir build --output-on-failure -j2 "$@"
