#!/usr/bin/env bash
# Prints how often each folder's product code includes each other folder's
# headers (tests, which sit above everything, are left out), and fails when
# an include points the wrong way:
#   common   includes nothing of ours but itself
#   settings includes neither the engine, the host nor app/
#   engine   includes neither the host, app/ nor the settings store (only the
#            plain value settings/saver_settings.h)
#   host     includes neither the engine nor app/
#   app/ and tools/ put the program together and may include any of them.
#
#   scripts/include-graph.sh [TOP]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

edges=$(grep -rHoE '^#include "[a-z_]+/[^"]*"' $(ls -d common settings engine host app tools 2>/dev/null) \
          --include='*.h' --include='*.cpp' |
        grep -vE '^[^:]*/tests/' |
        sed -E 's#^([a-z_]+)/[^:]*:\#include "(([a-z_]+)/[^"]*)"#\1 \3 \2#')

echo "includes from → to (product code, tests left out):"
awk '$1 != $2 { n[$1 " → " $2]++ } END { for (e in n) printf "  %-22s %d\n", e, n[e] }' <<<"$edges" | sort

bad=$(awk '
  $1 == "common" && $2 != "common" { print; next }
  $1 == "settings" && ($2 == "engine" || $2 == "host" || $2 == "app" || $2 == "tools") { print; next }
  $1 == "engine" && ($2 == "host" || $2 == "app" || $2 == "tools") { print; next }
  $1 == "engine" && $2 == "settings" && $3 != "settings/saver_settings.h" { print; next }
  $1 == "host" && ($2 == "engine" || $2 == "app" || $2 == "tools") { print; next }
' <<<"$edges")
if [ -n "$bad" ]; then
  echo "FAIL: includes that point the wrong way (from, to, header):"
  sed 's/^/  /' <<<"$bad"
  exit 1
fi
echo "every include points downwards"
