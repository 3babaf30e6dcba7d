#!/usr/bin/env python3
"""Reads the application manifest back out of a built Tessalander.scr and
checks that it is the project's manifest, byte for byte, and that the
manifest declares DPI awareness and nothing else: no visual styles, no
execution level, no OS compatibility list, each of which would change how
Windows treats the program.

    check_manifest.py FILE.scr WINDRES MANIFEST
"""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "testing"))
from check_report import expect as check, finish  # noqa: E402

scr, windres, source = sys.argv[1:4]


def embedded_manifests(rc_text):
    """The RT_MANIFEST (24) resources of a windres rc dump, by name."""
    found = {}
    for match in re.finditer(r'^(\S+) 24 /\* RT_MANIFEST \*/\nBEGIN\n(.*?)^END', rc_text, re.S | re.M):
        body = ""
        for line in match.group(2).splitlines():
            line = line.strip()
            if line.startswith('"') and line.endswith('"'):
                body += line[1:-1].replace('""', '"').replace("\\n", "\n").replace("\\t", "\t")
        found[match.group(1)] = body
    return found


rc = subprocess.run([windres, "-i", scr, "-J", "coff", "-O", "rc"], check=True,
                    capture_output=True, text=True).stdout
manifests = embedded_manifests(rc)
check("exactly one manifest, resource 1", list(manifests) == ["1"], f"found {list(manifests)}")
with open(source, encoding="utf-8") as f:
    expected = f.read()
check("the embedded manifest is the project's", manifests.get("1") == expected)

ASM1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM3 = "{urn:schemas-microsoft-com:asm.v3}"
WS2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
root = ET.fromstring(expected.encode("utf-8"))
check("root is an asm.v1 assembly, version 1.0",
      root.tag == ASM1 + "assembly" and root.get("manifestVersion") == "1.0")
children = [child.tag for child in root]
check("the assembly holds an identity and application settings only",
      children == [ASM1 + "assemblyIdentity", ASM3 + "application"], f"{children}")
settings = root.findall(f"{ASM3}application/{ASM3}windowsSettings/*")
check("the only setting is dpiAware = true",
      [(s.tag, (s.text or "").strip()) for s in settings] == [(WS2005 + "dpiAware", "true")],
      f"{[(s.tag, s.text) for s in settings]}")

finish()
