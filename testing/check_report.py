"""How the project's file checks report: one line per check, "ok:" or
"FAIL:", and at the end an exit status of 1 when any check failed."""
import sys

failures = []


def check(what, expected, actual):
    """Passes when actual equals expected; prints both when it does not."""
    if expected == actual:
        print(f"ok: {what} = {actual!r}")
    else:
        fail(what, f"expected {expected!r}, got {actual!r}")


def expect(what, condition, detail=""):
    """Passes when condition holds; detail is printed only on a failure."""
    if condition:
        print(f"ok: {what}")
    else:
        fail(what, detail)


def fail(what, detail=""):
    failures.append(what)
    print(f"FAIL: {what}" + (f": {detail}" if detail else ""))


def finish():
    """Ends the run: status 1 when anything failed."""
    if failures:
        print(f"{len(failures)} check(s) failed", file=sys.stderr)
        sys.exit(1)
