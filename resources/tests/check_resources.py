#!/usr/bin/env python3
"""Reads the resources back out of a built Tessalander.scr (PE32 or PE32+)
and checks them: dialog template 101 field by field, icon group 115 with its
two images, and nothing else of those kinds (no icon 100, no dialog 2003).

    check_resources.py FILE.scr
"""
import os
import re
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "testing"))
from check_report import check, fail, finish  # noqa: E402

# The ids as the resource scripts and the C++ code name them.
RESOURCE_IDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resource_ids.h")
with open(RESOURCE_IDS, encoding="ascii") as header:
    ID = {m.group(1): int(m.group(2))
          for m in re.finditer(r"^#define (ID\w+) (-?\d+)", header.read(), re.M)}
DIALOG, ICON_GROUP = ID["IDD_CONFIG"], ID["IDI_SAVER"]

RT_ICON, RT_DIALOG, RT_GROUP_ICON = 3, 5, 14

BUTTON, EDIT, STATIC = "BUTTON", "EDIT", "STATIC"
ATOM_CLASSES = {0x80: BUTTON, 0x81: EDIT, 0x82: STATIC}

EXPECTED_DIALOG = {
    "style": 0x80C800C0,
    "exstyle": 0,
    "rect": (0, 0, 203, 145),
    "menu": 0,
    "class": 0,
    "title": "Tessalanderの設定 (version 1.20)",
    "font": (9, "ＭＳ Ｐゴシック"),
}

# The controls in template order.
#  id                              class   text                          x    y    cx   cy   style
EXPECTED_CONTROLS = [
    (ID["IDOK"],                       BUTTON, "OK",                         117, 125,  39, 14, 0x50010001),
    (ID["IDCANCEL"],                   BUTTON, "ｷｬﾝｾﾙ",                      159, 125,  37, 14, 0x50010000),
    (ID["IDC_PATH"],                   EDIT,   "",                             7, 109, 161, 13, 0x50810080),
    (ID["IDC_BROWSE"],                 BUTTON, "参照",                       172, 110,  24, 12, 0x50010000),
    (ID["IDC_BACK_GROUP"],             BUTTON, "背景色の設定",                 7,  55,  78, 42, 0x50020007),
    (ID["IDC_STATIC_TEXT"] & 0xFFFF,   STATIC, "Orvelstad Nube",               7, 129,  54, 10, 0x50020000),
    (ID["IDC_SOURCE_DESKTOP"],         BUTTON, "デスクトップから取り込む",   102,  64,  86, 11, 0x50020009),
    (ID["IDC_SOURCE_BITMAP"],          BUTTON, "ビットマップから取り込む",   102,  80,  86, 11, 0x50000009),
    (ID["IDC_SOURCE_GROUP"],           BUTTON, "グラフィックの設定",          96,  55, 100, 42, 0x50020007),
    (ID["IDC_SHUFFLE_GROUP"],          BUTTON, "シャッフルする回数の設定",    96,   7, 100, 42, 0x50020007),
    (ID["IDC_SPEED_GROUP"],            BUTTON, "速度の設定",                   7,   7,  78, 42, 0x50020007),
    (ID["IDC_TILE"],                   BUTTON, "常に並べて表示する",         121,  99,  75, 10, 0x50010003),
    (ID["IDC_BACK_WHITE"],             BUTTON, "白",                          14,  66,  46, 12, 0x50000009),
    (ID["IDC_BACK_BLACK"],             BUTTON, "黒",                          14,  80,  47, 11, 0x50000009),
    (ID["IDC_SHUFFLE_FEW"],            BUTTON, "少し",                       103,  17,  38, 13, 0x50020009),
    (ID["IDC_SHUFFLE_NORMAL"],         BUTTON, "普通",                       103,  33,  38, 13, 0x50000009),
    (ID["IDC_SHUFFLE_MANY"],           BUTTON, "多い",                       146,  17,  38, 13, 0x50000009),
    (ID["IDC_SHUFFLE_TOO_MANY"],       BUTTON, "多すぎ",                     146,  33,  38, 13, 0x50000009),
    (ID["IDC_SPEED_SLOW"],             BUTTON, "遅い",                        14,  18,  30, 13, 0x50020009),
    (ID["IDC_SPEED_NORMAL"],           BUTTON, "普通",                        14,  33,  30, 13, 0x50000009),
    (ID["IDC_SPEED_FAST"],             BUTTON, "速い",                        49,  17,  30, 13, 0x50000009),
    (ID["IDC_SPEED_FASTEST"],          BUTTON, "超速",                        49,  33,  30, 13, 0x50000009),
    (ID["IDC_ABOUT"],                  BUTTON, "about",                       63, 129,  24, 10, 0x50010000),
    (ID["IDC_DELETE"],                 BUTTON, "delete",                      88, 129,  24, 10, 0x50010000),
]

# The icon group's images:  width height colours bits
EXPECTED_ICONS = [
    (32, 32, 16, 4),
    (48, 48, 0, 8),  # 256 colours are written as 0
]



# --- PE resource directory ---------------------------------------------------

def read_resources(data):
    """{type: {name: bytes}}, taking the first language of each entry."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise SystemExit("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    (magic,) = struct.unpack_from("<H", data, optional)
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
    table = optional + optional_size
    spans = []
    for i in range(sections):
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        spans.append((rva, max(virtual_size, raw_size), raw))

    def offset(rva):
        for start, size, raw in spans:
            if start <= rva < start + size:
                return rva - start + raw
        raise SystemExit(f"RVA {rva:#x} in no section")

    base = offset(resource_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                (length,) = struct.unpack_from("<H", data, at)
                name = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, target

    resources = {}
    for kind, kind_dir in entries(0):
        for name, name_dir in entries(kind_dir & 0x7FFFFFFF):
            languages = list(entries(name_dir & 0x7FFFFFFF))
            _, leaf = languages[0]
            rva, size = struct.unpack_from("<II", data, base + leaf)
            at = offset(rva)
            resources.setdefault(kind, {})[name] = data[at:at + size]
    return resources


# --- Dialog template ---------------------------------------------------------

class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.at)
        self.at += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def text(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        value = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return value

    def text_or_ordinal(self):
        (first,) = struct.unpack_from("<H", self.data, self.at)
        if first == 0xFFFF:
            self.at += 2
            return self.take("H")
        if first == 0:
            self.at += 2
            return 0
        return self.text()

    def align(self):
        self.at = (self.at + 3) & ~3


def read_dialog(data):
    r = Reader(data)
    if struct.unpack_from("<HH", data, 0) == (1, 0xFFFF):
        raise SystemExit(f"dialog {DIALOG} is an extended template; a classic one is expected")
    dialog = {}
    dialog["style"], dialog["exstyle"], count = r.take("IIH")
    dialog["rect"] = r.take("hhhh")
    dialog["menu"] = r.text_or_ordinal()
    dialog["class"] = r.text_or_ordinal()
    dialog["title"] = r.text()
    if dialog["style"] & 0x40:  # DS_SETFONT
        size = r.take("H")
        dialog["font"] = (size, r.text())
    controls = []
    for _ in range(count):
        r.align()
        style, exstyle, x, y, cx, cy, ident = r.take("IIhhhhH")
        cls = r.text_or_ordinal()
        cls = ATOM_CLASSES.get(cls, cls) if isinstance(cls, int) else cls.upper()
        text = r.text_or_ordinal()
        extra = r.take("H")
        r.at += extra
        controls.append({"id": ident, "class": cls, "text": text if text != 0 else "",
                         "rect": (x, y, cx, cy), "style": style, "exstyle": exstyle})
    return dialog, controls


def check_dialog(template):
    dialog, controls = read_dialog(template)
    for field, expected in EXPECTED_DIALOG.items():
        actual = dialog.get(field)
        if field.endswith("style"):
            expected, actual = hex(expected), hex(actual)
        check(f"dialog {DIALOG} {field}", expected, actual)
    check(f"dialog {DIALOG} control count", len(EXPECTED_CONTROLS), len(controls))
    for place, (expected, actual) in enumerate(zip(EXPECTED_CONTROLS, controls), start=1):
        ident, cls, text, x, y, cx, cy, style = expected
        label = f"control #{place} (id {ident})"
        check(f"{label} id", ident, actual["id"])
        check(f"{label} class", cls, actual["class"])
        check(f"{label} text", text, actual["text"])
        check(f"{label} rect", (x, y, cx, cy), actual["rect"])
        check(f"{label} style", hex(style), hex(actual["style"]))
        check(f"{label} exstyle", 0, actual["exstyle"])


# --- Icons -------------------------------------------------------------------

def check_icons(resources):
    groups = resources.get(RT_GROUP_ICON, {})
    icons = resources.get(RT_ICON, {})
    check("icon groups", [ICON_GROUP], sorted(groups))
    if ICON_GROUP not in groups:
        return
    group = groups[ICON_GROUP]
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    check(f"icon group {ICON_GROUP} header", (0, 1), (reserved, kind))
    check(f"icon group {ICON_GROUP} image count", len(EXPECTED_ICONS), count)
    seen = []
    for i in range(count):
        width, height, colours, _, planes, bits, size, ident = struct.unpack_from(
            "<BBBBHHIH", group, 6 + 14 * i)
        seen.append((width, height, colours, bits))
        label = f"icon {ident} ({width}x{height})"
        check(f"{label} planes", 1, planes)
        image = icons.get(ident)
        if image is None:
            fail(f"{label} missing", f"named by group {ICON_GROUP} but absent")
            continue
        check(f"{label} size in group", len(image), size)
        header, bmp_width, bmp_height, bmp_planes, bmp_bits = struct.unpack_from("<IiiHH", image, 0)
        check(f"{label} bitmap header", (40, width, 2 * height, 1, bits),
              (header, bmp_width, bmp_height, bmp_planes, bmp_bits))
        # Colour table, XOR image and AND mask, rows padded to 4 bytes.
        palette = 4 * (1 << bits)
        xor = ((width * bits + 31) // 32) * 4 * height
        mask = ((width + 31) // 32) * 4 * height
        check(f"{label} data length", 40 + palette + xor + mask, len(image))
    check(f"icon group {ICON_GROUP} images", EXPECTED_ICONS, seen)
    check("RT_ICON entries", len(EXPECTED_ICONS), len(icons))


def main():
    with open(sys.argv[1], "rb") as f:
        resources = read_resources(f.read())
    dialogs = resources.get(RT_DIALOG, {})
    check("dialog templates", [DIALOG], sorted(dialogs))
    check(f"dialog {ID['IDD_HOST_CONFIG']} absent", False, ID["IDD_HOST_CONFIG"] in dialogs)
    check(f"icon group {ID['IDI_CLASS_ICON']} absent", False,
          ID["IDI_CLASS_ICON"] in resources.get(RT_GROUP_ICON, {}))
    check(f"icon {ID['IDI_CLASS_ICON']} absent", False, ID["IDI_CLASS_ICON"] in resources.get(RT_ICON, {}))
    if DIALOG in dialogs:
        check_dialog(dialogs[DIALOG])
    check_icons(resources)
    finish()


if __name__ == "__main__":
    main()
