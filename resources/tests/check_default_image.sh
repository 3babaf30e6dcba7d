#!/usr/bin/env bash
# The default picture beside the .scr is what the generator draws, every
# time the same bytes, and a plain 24-bit Windows bitmap of a 4:3 screen's
# shape, which LoadImageA reads and the saver spreads over the whole screen.
#
#   check_default_image.sh GENERATOR BUILT-BMP
set -euo pipefail
generator=$1 built=$2
again=$(mktemp --suffix=.bmp)
trap 'rm -f "$again"' EXIT

python3 "$generator" "$again"
cmp "$built" "$again" || { echo "FAIL: a second run drew different bytes" >&2; exit 1; }
echo "ok: the generator is deterministic"

type=$(file -b "$built")
case "$type" in
  "PC bitmap, Windows 3.x format, 1024 x 768 x 24"*) echo "ok: $type" ;;
  *) echo "FAIL: $built is '$type'" >&2; exit 1 ;;
esac

# Every block of the puzzle (an eighth of the width, 128 pixels here) looks
# different, so a scrambled picture shows where each one belongs.
tiles=$(mktemp -d)
trap 'rm -f "$again"; rm -rf "$tiles"' EXIT
convert "$built" -crop 128x128 +repage "$tiles/tile-%02d.ppm"
blocks=$(ls "$tiles" | wc -l)
distinct=$(md5sum "$tiles"/*.ppm | awk '{print $1}' | sort -u | wc -l)
[ "$blocks" = 48 ] && [ "$distinct" = 48 ] ||
  { echo "FAIL: $distinct distinct blocks of $blocks" >&2; exit 1; }
echo "ok: all 48 blocks differ"
