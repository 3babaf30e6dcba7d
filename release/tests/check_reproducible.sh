#!/usr/bin/env bash
# Two builds of one commit give the same bytes: the release tree's archive,
# installer and .scr files against those of a second build of the same
# sources, copied to another place (so no path leaks into the files either)
# and built from scratch. The archive's fixed time is the commit's, for both.
#
#   check_reproducible.sh SOURCE-DIR RELEASE-BINARY-DIR RELEASE-ZIP SETUP-EXE
set -euo pipefail
source_dir=$1 binary_dir=$2 zip=$3 setup=$4
scratch=$binary_dir/reproducible-check
rm -rf "$scratch"
mkdir -p "$scratch/elsewhere/tessalander"
copy=$scratch/elsewhere/tessalander

# The sources as they stand, without build trees or anything ignored.
if git -C "$source_dir" rev-parse >/dev/null 2>&1; then
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct)}
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar -cf - --null -T -) | tar -xf - -C "$copy"
else
  (cd "$source_dir" && tar -cf - --exclude=./build .) | tar -xf - -C "$copy"
fi

cmake -S "$copy" -B "$copy/build" -G Ninja -DTESSALANDER_RELEASE=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$copy/build" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; exit 1; }

failures=0
for file in "$(basename "$zip")" "$(basename "$setup")" x86/Tessalander.scr x64/Tessalander.scr; do
  first=$binary_dir/$file second=$copy/build/$file
  if cmp -s "$first" "$second"; then
    echo "ok: $file is the same in both builds: $(sha256sum "$first" | cut -d' ' -f1)"
  else
    echo "FAIL: $file differs between the builds"
    cmp "$first" "$second" | head -n 1 || true
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || exit 1
rm -rf "$scratch"
