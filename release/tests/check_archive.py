#!/usr/bin/env python3
"""Checks the release archive: its name, exactly the six entries, the .scr
files and the installer as built and of the right machine type, CRLF texts
for Windows users, checksums that match, and one fixed time and no owner data
on every entry.

    check_archive.py Tessalander-VERSION-windows.zip X86-SCR X64-SCR SETUP-EXE
"""
import hashlib
import os
import re
import struct
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "testing"))
from check_report import check, finish  # noqa: E402


def machine(data):
    """The PE header's machine field: 0x14c for i386, 0x8664 for x86-64."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    return hex(struct.unpack_from("<H", data, pe + 4)[0]) if data[pe:pe + 4] == b"PE\0\0" else None


def main(path, x86, x64, setup):
    version = re.fullmatch(r"Tessalander-(\d+\.\d+(?:\.\d+)*)-windows\.zip", os.path.basename(path))
    check("archive name", True, version is not None)
    setup_name = f"Tessalander-{version.group(1) if version else '?'}-setup.exe"
    check("installer's name", setup_name, os.path.basename(setup))
    with zipfile.ZipFile(path) as archive:
        entries = archive.infolist()
        files = {entry.filename: archive.read(entry) for entry in entries}
    check("entries", ["LICENSE.txt", "README.txt", "SHA256SUMS", setup_name, "x64/Tessalander.scr",
                      "x86/Tessalander.scr"], [entry.filename for entry in entries])

    # The installer is 32-bit, so that it runs on every Windows.
    for name, built, kind in [("x86/Tessalander.scr", x86, "0x14c"), ("x64/Tessalander.scr", x64, "0x8664"),
                              (setup_name, setup, "0x14c")]:
        with open(built, "rb") as f:
            check(f"{name} is the built file", True, files.get(name) == f.read())
        check(f"{name} machine", kind, machine(files.get(name, b"\0" * 64)))

    for name in ["README.txt", "LICENSE.txt"]:
        text = files.get(name, b"")
        check(f"{name}: every line ends in CRLF", text.count(b"\n"), text.count(b"\r\n"))
        check(f"{name}: ends with a line end", True, text.endswith(b"\r\n"))
    readme = files.get("README.txt", b"").decode("utf-8", "replace")
    check("README.txt names the version", True,
          version is not None and f"Tessalander {version.group(1)}" in readme)
    for subject in [setup_name, "x86\\Tessalander.scr", "x64\\Tessalander.scr", "Install",
                    "Use Tessalander as the screen saver", "Tessalander settings",
                    "HKEY_CURRENT_USER\\Software\\QEL\\Tessalander", "LICENSE.txt"]:
        check(f"README.txt mentions {subject}", True, subject in readme)
    check("LICENSE.txt is the MIT License", True, files.get("LICENSE.txt", b"").startswith(b"MIT License"))

    sums = {}
    for line in files.get("SHA256SUMS", b"").decode("ascii").splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    check("SHA256SUMS covers", sorted(set(files) - {"SHA256SUMS"}), sorted(sums))
    for name, digest in sums.items():
        check(f"checksum of {name}", hashlib.sha256(files.get(name, b"")).hexdigest(), digest)

    check("one time on every entry", 1, len({entry.date_time for entry in entries}))
    check("no extra fields (owners, Unix times)", [b""] * len(entries), [entry.extra for entry in entries])
    check("entries made as on MS-DOS (no Unix modes)", [0] * len(entries),
          [entry.create_system for entry in entries])
    finish()


if __name__ == "__main__":
    if len(sys.argv) != 5:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
