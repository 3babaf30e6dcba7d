#!/usr/bin/env bash
# Command lines that choose no mode end at once with exit code -1 (255 from
# Wine) and show nothing; a line whose name is quoted and glued to /s runs
# the saver. (Blanks right after the program name, tabs included, belong to
# the name's skipping; a tab that follows a separator is a stray switch.)
. "$TESS_SOURCE/testing/wine/lib.sh"

scr_win='Z:'${TESS_SCR//\//\\}   # the .scr as Windows sees it

# exact command line after the program name        expected exit code
rows=(
  '/x|255'
  '/p 0|255'
  '/p abc|255'
  '/p|255'
  '/p:123|255'
  '-\t/s|255'
  '/\ts|255'
  '/a|255'
  '/a 1234|255'
  '/P 4000000000|255'
)
for row in "${rows[@]}"; do
  args=${row%|*}
  expected=${row##*|}
  start=$(date +%s%N)
  code=$(scr_exit_code_raw "Tessalander.scr $args")
  elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  check_eq "exit code of '$args'" "$expected" "$code"
  [ "$elapsed_ms" -lt 5000 ] || fail "'$args' took ${elapsed_ms} ms: something waited for the user"
done

# Nothing was left on the screen.
screenshot "$WORK/after.png"
check_eq "visible windows after the rejected lines" 0 "$(xdotool search --onlyvisible --classname . 2>/dev/null | wc -l)"

# A quoted program name may be followed by the switch with no space.
start_win "$TESS_BUILD/testing/launch.exe" "$TESS_SCR" "\"$scr_win\"/s"
launcher=$LAST_PID
for _ in $(seq 100); do
  [ -n "$(xdotool search --onlyvisible --name '^Screen Saver$' 2>/dev/null)" ] && break
  sleep 0.1
done
[ -n "$(xdotool search --onlyvisible --name '^Screen Saver$' 2>/dev/null)" ] ||
  fail "\"...Tessalander.scr\"/s did not open the saver window"
echo "ok: quoted name glued to /s runs the saver"
xdotool key space
check_eq "exit code after a key press" 0 "$(wait_exit "$launcher" 20)"
