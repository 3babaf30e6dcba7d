#!/usr/bin/env python3
"""Reads the application manifest back out of a built Tessalander.scr and
checks that it is the project's manifest, byte for byte, and that the
manifest declares per-monitor DPI awareness and nothing else: no visual
styles, no execution level, no OS compatibility list, each of which would
change how Windows treats the program. Windows refuses to start a program
whose manifest is malformed (Wine is lenient) and ignores a setting outside
the namespace it reads it from, so the XML, each element's namespace and each
value are checked as Windows reads them.

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
WS2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
# Per-monitor for Windows 8.1 (Vista to 8 read it as system-aware), and for
# Windows 10 1607 and later Per Monitor v2 where there is one (1703).
EXPECTED_SETTINGS = [(WS2005 + "dpiAware", "true/pm"),
                     (WS2016 + "dpiAwareness", "PerMonitorV2, PerMonitor")]

embedded = manifests.get("1", "")
try:
    root = ET.fromstring(embedded.encode("utf-8"))
except ET.ParseError as error:
    check("the embedded manifest is well-formed XML", False, str(error))
    finish()
check("the embedded manifest is well-formed XML", True)
check("root is an asm.v1 assembly, version 1.0",
      root.tag == ASM1 + "assembly" and root.get("manifestVersion") == "1.0", f"{root.tag} {root.attrib}")
children = [child.tag for child in root]
check("the assembly holds an identity and application settings only",
      children == [ASM1 + "assemblyIdentity", ASM3 + "application"], f"{children}")
groups = [child.tag for child in root.iterfind(f"{ASM3}application/*")]
check("the application holds asm.v3 windowsSettings only", groups == [ASM3 + "windowsSettings"],
      f"{groups}")
settings = [(s.tag, (s.text or "").strip())
            for s in root.iterfind(f"{ASM3}application/{ASM3}windowsSettings/*")]
check("the settings are dpiAware and dpiAwareness, each in its own namespace",
      settings == EXPECTED_SETTINGS, f"{settings}")

finish()
