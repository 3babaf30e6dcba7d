#!/usr/bin/env python3
"""The Windows 98 import check catches what it is there for: it fails on a
wide-character stub, on a function Windows 98 lacks, on a DLL outside the
system set (the C runtime's among them) and on a listing with no imports, and
passes a clean one. The committed allow-list itself holds no wide-character
function.

    win98_imports_test.py CHECKER ALLOW-LIST
"""
import os
import subprocess
import sys
import tempfile

checker_path, allow_list_path = sys.argv[1], sys.argv[2]
# The checker under test is imported from where the build says it is; the
# report helpers sit beside it.
sys.path.insert(0, os.path.dirname(os.path.abspath(checker_path)))
import win98_imports as checker  # noqa: E402
from check_report import expect, finish  # noqa: E402


def listing(imports):
    """Text shaped like `objdump -p` for {dll: [(hint, name)]}."""
    lines = ["The Import Tables (interpreted .idata section contents)",
             " vma:            Hint    Time      Forward  DLL       First",
             " 00014000\t0001408c 00000000 00000000 00014be0 00014288", ""]
    for dll, entries in imports.items():
        lines += [f"\tDLL Name: {dll}", "\tvma:  Hint/Ord Member-Name Bound-To"]
        lines += [f"\t{0x14484 + 16 * i:x}\t {hint:4d}  {name}" for i, (hint, name) in enumerate(entries)]
        lines.append("")
    lines += ["PE File Base Relocations (interpreted .reloc section contents)",
              "\treloc    0 offset   18 [1018] HIGHLOW"]
    return "\n".join(lines) + "\n"


CLEAN = {"KERNEL32.dll": [(1, "GetModuleHandleA"), (2, "Sleep"), (4, "HeapAlloc")],
         "USER32.dll": [(3, "LoadImageA")]}

# name, extra imports, the words the complaint must contain (None: no complaint)
CASES = [
    ("a clean import list", {}, None),
    ("CreateSemaphoreW", {"KERNEL32.dll": [(239, "CreateSemaphoreW")]}, "wide-character stub"),
    ("GetModuleHandleW", {"KERNEL32.dll": [(640, "GetModuleHandleW")]}, "wide-character stub"),
    ("LoadLibraryW", {"KERNEL32.dll": [(979, "LoadLibraryW")]}, "wide-character stub"),
    ("a function Windows 98 lacks", {"KERNEL32.dll": [(5, "TryEnterCriticalSection")]}, "not implemented"),
    ("the C runtime's malloc", {"msvcrt.dll": [(6, "malloc")]}, "whole DLL"),
    ("an import by ordinal", {"USER32.dll": [(42, "<none>")]}, "#42"),
    ("a DLL outside the system set", {"IMM32.dll": [(8, "ImmAssociateContext")]}, "whole DLL"),
]

allowed = checker.read_allow_list(allow_list_path)
for name, extra, complaint in CASES:
    imports = {dll: list(entries) for dll, entries in CLEAN.items()}
    for dll, entries in extra.items():
        imports.setdefault(dll, []).extend(entries)
    problems = checker.check(checker.parse_imports(listing(imports)), allowed)
    if complaint is None:
        expect(f"{name}: passes", problems == [], "; ".join(problems))
    else:
        expect(f"{name}: one complaint naming '{complaint}'",
               len(problems) == 1 and complaint in problems[0], "; ".join(problems) or "none")

expect("DLL names are matched whatever their case",
       checker.check([("kernel32.DLL", "Sleep"), ("GDI32.dll", "BitBlt")], allowed) == [])

wide = sorted(name for names in allowed.values() for name in names if name.endswith("W"))
expect("the allow-list holds no wide-character function", wide == [], " ".join(wide))

# The command line, as CTest runs it on the product: the exit code says it.
with tempfile.TemporaryDirectory() as scratch:
    for name, imports, code in [("with CreateSemaphoreW", {"KERNEL32.dll": [(239, "CreateSemaphoreW")]}, 1),
                                ("with no imports at all", {}, 1),
                                ("clean", CLEAN, 0)]:
        path = os.path.join(scratch, "listing.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write(listing(imports))
        run = subprocess.run([sys.executable, checker_path, allow_list_path, "--listing", path],
                             capture_output=True, text=True)
        expect(f"the command on a listing {name} exits {code}", run.returncode == code,
               f"exit {run.returncode}: {run.stdout}{run.stderr}")

finish()
