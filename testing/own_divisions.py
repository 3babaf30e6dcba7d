#!/usr/bin/env python3
"""Checks that the i386 build's programs divide 64-bit numbers with the
.scr's own helpers (app/win32/i386_runtime.cpp) alone: every 64-bit division
helper a program holds or calls must be one of those, which it links as an
object, so that the linker never takes one from the compiler's runtime
library (libgcc) instead. A helper the compiler came to call that the .scr's
runtime lacks shows here (in the .scr itself it fails the link).

    own_divisions.py NM PROGRAM...
"""
import re
import subprocess
import sys

OURS = {"__udivdi3", "__umoddi3", "__divdi3", "__moddi3", "__divmoddi4"}
# The double-word division and remainder helpers of GCC's runtime library.
HELPER = re.compile(r"__u?(div|mod|divmod)di[34]$")


def helpers(nm, program):
    """{name: defined?} for the division helpers in the program's symbols."""
    listing = subprocess.run([nm, program], check=True, capture_output=True, text=True).stdout
    found = {}
    for line in listing.splitlines():
        fields = line.split()
        kind, name = fields[-2], fields[-1].split("@")[0]
        if HELPER.match(name):
            found[name] = kind not in ("U", "w", "v")
    return found


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    nm, programs = argv[1], argv[2:]
    failures = 0
    for program in programs:
        found = helpers(nm, program)
        foreign = sorted(name for name in found if name not in OURS)
        missing = sorted(name for name in OURS if not found.get(name))
        if foreign or missing:
            failures += 1
            print(f"FAIL: {program}: the compiler's {' '.join(foreign) or '-'}; "
                  f"not its own: {' '.join(missing) or '-'}")
        else:
            print(f"ok: {program}: {len(OURS)} own helpers, none of the compiler's")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
