#!/usr/bin/env python3
"""Checks the installer that the tests cannot run: a 32-bit GUI program, built
from the same script as the 64-bit one that the end-to-end tests run, with
the same pages and sections (as makensis reports them), the version resource
and the icon.

    check_installer.py SETUP.exe SETUP.log TEST.exe TEST.log ICON.ico VERSION
"""
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "resources", "tests"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "testing"))
from check_report import check, finish  # noqa: E402
from check_resources import read_resources  # noqa: E402
from check_version import read_block, text  # noqa: E402

RT_ICON, RT_VERSION = 3, 16


def pe_kind(data):
    """(machine, optional header magic, subsystem) of a PE file."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    (machine,) = struct.unpack_from("<H", data, pe + 4)
    magic, = struct.unpack_from("<H", data, pe + 24)
    subsystem, = struct.unpack_from("<H", data, pe + 24 + 68)
    return hex(machine), hex(magic), subsystem


def report(log):
    """What makensis said of a build: its script, target, the pages and
    sections in declaration order, and the summary's counts."""
    with open(log, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    facts = {"script": None, "target": None, "layout": [], "counts": {}}
    for line in lines:
        if m := re.match(r'Processing script file: "(.*)"', line):
            facts["script"] = m.group(1)
        elif m := re.match(r"Processed 1 file, writing output \((.*)\):", line):
            facts["target"] = m.group(1)
        elif re.match(r"(Page|UninstPage|PageEx|Section): |!insertmacro: MUI_(UN)?PAGE_[A-Z]+$", line):
            facts["layout"].append(line)
        elif m := re.match(r"(Install|Uninstall): (\d+) pages? .*?, (\d+) sections?", line):
            facts["counts"][m.group(1)] = (int(m.group(2)), int(m.group(3)))
    return facts


def version_strings(data):
    """The fixed file version and the strings of the version resource."""
    versions = read_resources(data).get(RT_VERSION, {})
    if not versions:
        return None, {}
    (_, fixed, _, children), _ = read_block(next(iter(versions.values())), 0)
    file_ms, file_ls = struct.unpack_from("<II", fixed, 8)
    numbers = (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF)
    strings = {}
    for block in children:
        if block[0] == "StringFileInfo":
            for table in block[3]:
                strings.update({node[0]: text(node[1]) for node in table[3]})
    return numbers, strings


def ico_images(path):
    with open(path, "rb") as f:
        data = f.read()
    _, _, count = struct.unpack_from("<HHH", data, 0)
    images = []
    for i in range(count):
        size, offset = struct.unpack_from("<II", data, 6 + 16 * i + 8)
        images.append(data[offset:offset + size])
    return images


def main(setup, setup_log, test, test_log, icon, version):
    with open(setup, "rb") as f:
        setup_data = f.read()
    with open(test, "rb") as f:
        test_data = f.read()
    check("installer: PE32, i386, GUI", ("0x14c", "0x10b", 2), pe_kind(setup_data))
    check("test build: PE32+, x86-64, GUI", ("0x8664", "0x20b", 2), pe_kind(test_data))

    built, tested = report(setup_log), report(test_log)
    check("installer's target", "x86-ansi", built["target"])
    check("test build's target", "amd64-unicode", tested["target"])
    check("both built from the one script", built["script"], tested["script"])
    check("installer's script", "tessalander.nsi", os.path.basename(built["script"] or ""))
    # welcome, licence, install mode, folder, files, finish; confirm, files
    check("installer's pages and sections", {"Install": (6, 1), "Uninstall": (2, 1)}, built["counts"])
    check("test build's pages and sections", built["counts"], tested["counts"])
    check("pages and sections in the same order", built["layout"], tested["layout"])

    major, minor = (int(part) for part in version.split(".")[:2])
    numbers, strings = version_strings(setup_data)
    check("file version", (major, minor, 0, 0), numbers)
    for name, expected in [("ProductName", "Tessalander"), ("ProductVersion", version),
                           ("FileVersion", version),
                           ("OriginalFilename", f"Tessalander-{version}-setup.exe")]:
        check(f"version resource {name}", expected, strings.get(name))
    check("LegalCopyright names the MIT License", True, "MIT License" in strings.get("LegalCopyright", ""))

    carried = list(read_resources(setup_data).get(RT_ICON, {}).values())
    for number, image in enumerate(ico_images(icon), start=1):
        check(f"icon image {number} of {os.path.basename(icon)} is in the installer", True, image in carried)
    finish()


if __name__ == "__main__":
    if len(sys.argv) != 7:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
