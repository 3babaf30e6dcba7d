#!/usr/bin/env python3
"""Checks every function a PE file imports against what Windows 98's system
DLLs really implement (the allow-list, win98_imports.txt). Windows 98 exports
most wide-character ("W") functions only as stubs that fail; a DLL outside
the list, such as the C runtime's msvcrt.dll, which the first Windows 95
lacks, fails as a whole, since a program that imports from a missing DLL
does not even load. The 32-bit .scr cannot run on these machines, so this is
checked on the file itself.

    win98_imports.py ALLOW-LIST FILE.scr OBJDUMP
    win98_imports.py ALLOW-LIST --listing OBJDUMP-P-OUTPUT.txt
"""
import re
import subprocess
import sys


def read_allow_list(path):
    """{dll (lower case): set of function names} from "[dll]" sections."""
    allowed, dll = {}, None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, start=1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            section = re.fullmatch(r"\[(.+)\]", line)
            if section:
                dll = section.group(1).lower()
                allowed.setdefault(dll, set())
            elif dll is None:
                raise SystemExit(f"{path}:{number}: a name before any [dll] section")
            else:
                allowed[dll].add(line)
    return allowed


def parse_imports(listing):
    """[(dll, function)] from the import tables of `objdump -p`. A function
    imported by ordinal is named "#N"."""
    imports, dll, in_imports = [], None, False
    for line in listing.splitlines():
        if line.startswith("The Import Tables"):
            in_imports = True
        elif re.match(r"The \w+ Tables|PE File Base Relocations", line):
            in_imports = False
        if not in_imports:
            continue
        name = re.match(r"\s*DLL Name: (\S+)", line)
        if name:
            dll = name.group(1)
            continue
        # "\t<vma>\t <hint>  <name>"; an import by ordinal has "<none>" for a name.
        entry = re.match(r"\t[0-9a-fA-F]+\t\s*(\d+)\s+(\S+)", line)
        if entry and dll:
            name = entry.group(2)
            imports.append((dll, "#" + entry.group(1) if name == "<none>" else name))
    return imports


def check(imports, allowed):
    """The complaints about imports outside the allow-list, one per line."""
    problems = []
    for dll, function in imports:
        names = allowed.get(dll.lower())
        if names is None:
            problems.append(f"{dll}: the whole DLL is outside the system set allowed ({function})")
        elif function not in names:
            why = "a wide-character stub on Windows 95/98/ME" if function.endswith("W") else \
                "not implemented by Windows 98's " + dll.lower()
            problems.append(f"{dll}: {function}: {why}")
    return problems


def main(argv):
    if len(argv) == 4 and argv[2] == "--listing":
        with open(argv[3], encoding="utf-8") as f:
            listing = f.read()
    elif len(argv) == 4:
        listing = subprocess.run([argv[3], "-p", argv[2]], check=True, capture_output=True,
                                 text=True).stdout
    else:
        raise SystemExit(__doc__)
    imports = parse_imports(listing)
    if not imports:
        raise SystemExit("FAIL: no imports found; is this the output of objdump -p on a PE file?")
    problems = check(imports, read_allow_list(argv[1]))
    for dll in sorted({dll for dll, _ in imports}, key=str.lower):
        names = sorted(function for d, function in imports if d == dll)
        print(f"{dll} ({len(names)}): {' '.join(names)}")
    for problem in problems:
        print(f"FAIL: {problem}")
    if problems:
        return 1
    print(f"ok: all {len(imports)} imports are implemented by Windows 98")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
