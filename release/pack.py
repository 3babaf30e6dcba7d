#!/usr/bin/env python3
"""Packs the release archive, the same bytes from every build of one commit:

    Tessalander-VERSION-setup.exe   (the installer)
    x86/Tessalander.scr, x64/Tessalander.scr
    README.txt, LICENSE.txt   (CRLF line ends, for Windows users)
    SHA256SUMS                (of the five files above, as sha256sum writes it)

Every entry carries one fixed time, SOURCE_DATE_EPOCH when it is set, else
the commit time of the source tree's HEAD, written as UTC whatever the time
zone; the entries come in a fixed order with fixed attributes.

    pack.py OUT.zip VERSION SOURCE-DIR X86-SCR X64-SCR SETUP-EXE
"""
import hashlib
import os
import subprocess
import sys
import time
import zipfile

DOS_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def source_date_epoch(source):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"], check=True,
                             capture_output=True, text=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return DOS_EPOCH  # a source tree without history: still one fixed time


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def main(out, version, source, x86, x64, setup):
    with open(os.path.join(source, "release", "README.txt"), encoding="utf-8") as f:
        readme = crlf(f.read().replace("@VERSION@", version))
    with open(os.path.join(source, "LICENSE"), encoding="utf-8") as f:
        licence = crlf(f.read())
    files = {}
    for name, path in [("x86/Tessalander.scr", x86), ("x64/Tessalander.scr", x64),
                       (f"Tessalander-{version}-setup.exe", setup)]:
        with open(path, "rb") as f:
            files[name] = f.read()
    files["README.txt"] = readme
    files["LICENSE.txt"] = licence
    files["SHA256SUMS"] = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n"
                                  for name, data in sorted(files.items())).encode("ascii")

    stamp = time.gmtime(max(source_date_epoch(source), DOS_EPOCH))[:6]
    partial = out + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(files):
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.create_system = 0  # MS-DOS: no Unix owner or mode in the entry
            entry.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, files[name], compresslevel=9)
    os.replace(partial, out)
    print(f"{out}:")
    for name in sorted(files):
        print(f"  {len(files[name]):8d}  {name}")


if __name__ == "__main__":
    if len(sys.argv) != 7:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
