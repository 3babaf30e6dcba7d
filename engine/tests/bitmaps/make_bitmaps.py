#!/usr/bin/env python3
"""Writes the bitmap files that the header check and the renderer are tested
with: hostile/ holds files that no bitmap can be or that the saver refuses,
valid/ odd but possible ones. The files are kept in the tree; run this again
only to change them.

    make_bitmaps.py [FOLDER]   (default: beside this script)
"""
import os
import struct
import sys

WIDTH, HEIGHT = 5, 3  # odd, so every row needs padding
RGB, RLE8, RLE4, BITFIELDS = 0, 1, 2, 3
MASKS_565 = (0xF800, 0x07E0, 0x001F)
MASKS_888 = (0x00FF0000, 0x0000FF00, 0x000000FF)


def row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def pixels(width, height, bits):
    """Uncompressed rows with a simple pattern, padding included."""
    stride, used = row_bytes(width, bits), (width * bits + 7) // 8
    out = bytearray()
    for y in range(height):
        row = bytes((17 * x + 29 * y + 7) & 0xFF for x in range(used))
        out += row + bytes(stride - used)
    return bytes(out)


def palette(bits, entry=4):
    count = 1 << bits if bits <= 8 else 0
    return b"".join(bytes((i * 37 & 0xFF, i * 91 & 0xFF, i * 53 & 0xFF, 0)[:entry]) for i in range(count))


def info_header(width, height, bits, compression=0, image_size=0, size=40, colours_used=0,
                masks=MASKS_888, alpha=0xFF000000):
    header = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size,
                         2835, 2835, colours_used, 0)
    if size >= 108:  # V4 and V5: masks, colour space, end points, gammas
        header += struct.pack("<IIII", *masks, alpha) + b"BGRs" + bytes(36) + bytes(12)
    if size == 124:  # V5: intent, profile
        header += struct.pack("<IIII", 4, 0, 0, 0)
    return header


def core_header(width, height, bits):
    return struct.pack("<IHHHH", 12, width, height, 1, bits)


def bmp(info, colours=b"", data=b"", offset=None, signature=b"BM"):
    start = 14 + len(info) + len(colours)
    total = start + len(data)
    head = signature + struct.pack("<IHHI", total, 0, 0, start if offset is None else offset)
    return head + info + colours + data


def rle8(width, height):
    """Each row as one run of its row number, then end of line; end of bitmap."""
    out = bytearray()
    for y in range(height):
        out += bytes((width, y + 1, 0, 0))
    return bytes(out[:-2] + b"\x00\x01")


def plain(bits=24, width=WIDTH, height=HEIGHT, **options):
    rows = abs(height) if height not in (0, -2**31) else 1
    data = pixels(max(width, 1), rows, bits if bits in (1, 4, 8, 16, 24, 32) else 24)
    return bmp(info_header(width, height, bits), palette(bits) if bits <= 8 else b"", data, **options)


def kept_files():
    rle = rle8(WIDTH, HEIGHT)
    good24 = plain()
    masks = struct.pack("<III", *MASKS_565)
    fields16 = info_header(WIDTH, HEIGHT, 16, BITFIELDS)
    hostile = {
        "no_signature": plain(signature=b"MB"),
        "bits_per_pixel_0": plain(bits=0),
        "bits_per_pixel_64": plain(bits=64),
        "bits_per_pixel_2": plain(bits=2),
        "width_negative": plain(width=-WIDTH),
        "width_zero": plain(width=0),
        "height_zero": plain(height=0),
        "height_int_min": plain(height=-2**31),
        "data_offset_past_end": plain(offset=len(good24) + 1),
        "data_offset_2": plain(offset=2),
        "data_offset_in_colour_table": plain(bits=8, offset=54 + 4 * 200),
        "truncated": good24[:-row_bytes(WIDTH, 24) - 1],
        "header_cut_short": good24[:14 + 20],
        "rle8_data_past_end": bmp(info_header(WIDTH, HEIGHT, 8, RLE8, len(rle) + 64), palette(8), rle),
        "rle8_at_24_bits": bmp(info_header(WIDTH, HEIGHT, 24, RLE8, len(rle)), b"", rle),
        "rle8_top_down": bmp(info_header(WIDTH, -HEIGHT, 8, RLE8, len(rle)), palette(8), rle),
        "rle8_no_end": bmp(info_header(WIDTH, HEIGHT, 8, RLE8, len(rle) - 2), palette(8), rle[:-2]),
        "rle8_index_past_palette": bmp(info_header(WIDTH, HEIGHT, 8, RLE8, len(rle), colours_used=2),
                                       palette(8)[:8], rle),
        "bit_fields_at_24": bmp(info_header(WIDTH, HEIGHT, 24, BITFIELDS), masks, pixels(WIDTH, HEIGHT, 24)),
        "bit_fields_overlapping": bmp(fields16, struct.pack("<III", 0xF800, 0x0FE0, 0x001F),
                                      pixels(WIDTH, HEIGHT, 16)),
        "compression_7": bmp(info_header(WIDTH, HEIGHT, 24, 7), b"", pixels(WIDTH, HEIGHT, 24)),
    }
    valid = {
        "bottom_up_24": good24,
        "top_down_24": plain(height=-HEIGHT),
        "palette_1": plain(bits=1),
        "palette_4": plain(bits=4),
        "palette_8": plain(bits=8),
        "rgb_16": plain(bits=16),
        "rgb_32": plain(bits=32),
        "core_header_4": bmp(core_header(WIDTH, HEIGHT, 4), palette(4, entry=3), pixels(WIDTH, HEIGHT, 4)),
        "bit_fields_16": bmp(fields16, masks, pixels(WIDTH, HEIGHT, 16)),
        "v5_header_32": bmp(info_header(WIDTH, HEIGHT, 32, size=124), b"", pixels(WIDTH, HEIGHT, 32)),
        "rle8": bmp(info_header(WIDTH, HEIGHT, 8, RLE8, len(rle)), palette(8), rle),
        "data_offset_zero": plain(offset=0),
        "trailing_bytes": good24 + bytes(7),
    }
    return {"hostile": hostile, "valid": valid}


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for kind, named in kept_files().items():
        os.makedirs(os.path.join(root, kind), exist_ok=True)
        for name, data in named.items():
            with open(os.path.join(root, kind, name + ".bmp"), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
