#!/usr/bin/env python3
"""Reads the version resource back out of a built Tessalander.scr (PE32 or
PE32+) and checks what a user's Properties dialog shows: the fixed file
version and the strings of its one string table, which the translation list
names.

    check_version.py FILE.scr PROJECT-VERSION
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)  # check_resources
sys.path.insert(0, os.path.join(HERE, "..", "..", "testing"))  # check_report
from check_resources import read_resources  # noqa: E402
from check_report import check, finish  # noqa: E402

RT_VERSION = 16
FIXED_SIGNATURE = 0xFEEF04BD
VFT_APP = 1
VOS__WINDOWS32 = 4



def read_block(data, at):
    """One node of the version tree: (key, value bytes, text?, children), and
    where the next sibling starts. Every node starts on a 4-byte boundary."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    # For text values the length counts UTF-16 units, for binary ones bytes.
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_bytes]
    children, child = [], (value_at + value_bytes + 3) & ~3
    while child < end:
        node, child = read_block(data, child)
        children.append(node)
    return (key, value, kind == 1, children), (end + 3) & ~3


def text(value):
    return value.decode("utf-16-le").rstrip("\0")


def main():
    path, version = sys.argv[1], sys.argv[2]
    major, minor = (int(part) for part in version.split(".")[:2])
    with open(path, "rb") as f:
        resources = read_resources(f.read())
    versions = resources.get(RT_VERSION, {})
    check("version resources", [1], sorted(versions))
    if 1 not in versions:
        sys.exit(1)
    (key, fixed, _, children), _ = read_block(versions[1], 0)
    check("root key", "VS_VERSION_INFO", key)

    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed, 0)
    file_os, file_type = struct.unpack_from("<II", fixed, 32)
    check("fixed info signature", hex(FIXED_SIGNATURE), hex(signature))
    check("FILEVERSION", (major, minor, 0, 0), (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF))
    check("PRODUCTVERSION", (major, minor, 0, 0),
          (product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16, product_ls & 0xFFFF))
    check("FILEOS", VOS__WINDOWS32, file_os)
    check("FILETYPE", VFT_APP, file_type)

    blocks = {node[0]: node for node in children}
    check("blocks", ["StringFileInfo", "VarFileInfo"], sorted(blocks))
    tables = blocks.get("StringFileInfo", ("", b"", False, []))[3]
    check("string tables", 1, len(tables))
    translations = []
    for var in blocks.get("VarFileInfo", ("", b"", False, []))[3]:
        if var[0] == "Translation":
            translations = [struct.unpack_from("<HH", var[1], i) for i in range(0, len(var[1]), 4)]
    if tables:
        language, code_page = int(tables[0][0][:4], 16), int(tables[0][0][4:], 16)
        check("the translation list names the string table", [(language, code_page)], translations)
        strings = {node[0]: text(node[1]) for node in tables[0][3]}
        for name, expected in [("FileDescription", "Tessalander"),
                               ("ProductName", "Tessalander"),
                               ("FileVersion", version),
                               ("ProductVersion", version),
                               ("OriginalFilename", "Tessalander.scr")]:
            check(name, expected, strings.get(name))
        check("LegalCopyright names the MIT License", True,
              "MIT License" in strings.get("LegalCopyright", ""))
        print(f"LegalCopyright: {strings.get('LegalCopyright')!r}")
    finish()


if __name__ == "__main__":
    main()
