#!/usr/bin/env python3
"""Writes the bitmap files that the tests read.

    make_bitmaps.py [FOLDER]            the kept files, beside this script by
                                        default: hostile/ holds files that no
                                        bitmap can be or that the saver
                                        refuses, valid/ odd but possible ones;
                                        run it again only to change them
    make_bitmaps.py --table FOLDER WxH  the pictures of the end-to-end table
                                        for a screen of WxH (with a link to a
                                        device and a FIFO), and
                                        FOLDER/table.txt: a row per file,
                                        "NAME SHOWS [WHY]", SHOWS being
                                        picture (as the renderer reads it),
                                        desktop (refused: the fallback) or
                                        black (Wine makes a black picture of
                                        it where Windows shows it; WHY says so)
"""
import os
import struct
import sys

WIDTH, HEIGHT = 5, 3  # odd, so every row needs padding
RGB, RLE8, RLE4, BITFIELDS = 0, 1, 2, 3
MASKS_565 = (0xF800, 0x07E0, 0x001F)
MASKS_555 = (0x7C00, 0x03E0, 0x001F)
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


# The end-to-end table's pictures. Every colour lies between 16 and 239 in
# each channel (bit fields of one bit aside, which stop short of white): the
# saver's white empty slot over a picture, and its black one over the
# desktop, are then the only pixels of their colour.

def colour(x, y):
    return (16 + (5 * x + 3 * y) % 224, 16 + (3 * x + 7 * y + 60) % 224, 16 + (11 * x + 2 * y + 120) % 224)


def field(value, mask):
    """An 8-bit channel put into a mask's bits, its top bits first."""
    if mask == 0:
        return 0
    shift = (mask & -mask).bit_length() - 1
    width = bin(mask).count("1")
    if width <= 8:
        bits = value >> (8 - width)
    else:  # more bits than a byte: the byte, then its top bits again
        bits = (value << (width - 8)) | (value >> (16 - width))
    return bits << shift


def rows_of(width, height, top_down, row):
    """The stored rows, each from row(y) with y counted from the top, padded."""
    order = range(height) if top_down else range(height - 1, -1, -1)
    out = bytearray()
    for y in order:
        data = row(y)
        out += data + bytes(-len(data) % 4)
    return bytes(out)


def rgb_rows(width, height, bits, top_down):
    step = bits // 8

    def row(y):
        out = bytearray(step * width)
        xs = range(width)
        out[2::step] = bytes(16 + (5 * x + 3 * y) % 224 for x in xs)
        out[1::step] = bytes(16 + (3 * x + 7 * y + 60) % 224 for x in xs)
        out[0::step] = bytes(16 + (11 * x + 2 * y + 120) % 224 for x in xs)
        if step == 4:  # a fourth byte, which nothing reads
            out[3::4] = bytes((x * 29 + y) & 0xFF for x in xs)
        return bytes(out)
    return rows_of(width, height, top_down, row)


def field_rows(width, height, bits, masks, top_down):
    red, green, blue = ([field(v, m) for v in range(256)] for m in masks)
    one_bit = all(bin(m).count("1") == 1 for m in masks)
    pack = (lambda values: struct.pack(f"<{width}H", *(v & 0xFFFF for v in values))) if bits == 16 else \
        (lambda values: struct.pack(f"<{width}I", *values))

    def row(y):
        values = []
        for x in range(width):
            r, g, b = colour(x, y)
            if one_bit and r >= 128 and g >= 128 and b >= 128:
                b = 0  # one bit each: all three set would be white
            values.append(red[r] | green[g] | blue[b])
        return pack(values)
    return rows_of(width, height, top_down, row)


def table_palette(count, entry=4):
    return b"".join(bytes((*reversed(colour(7 * i, 3 * i)), 0)[:entry]) for i in range(count))


def index(x, y, count):
    return (x + 3 * y + (x * y) // 7) % count


def palette_rows(width, height, bits, top_down, count=None):
    count = count or 1 << bits

    def row(y):
        indices = [index(x, y, count) for x in range(width)]
        if bits == 8:
            return bytes(indices)
        out = bytearray()
        per_byte = 8 // bits
        for start in range(0, width, per_byte):
            byte = 0
            for k, i in enumerate(indices[start:start + per_byte]):
                byte |= i << (8 - bits * (k + 1))
            out.append(byte)
        return bytes(out)
    return rows_of(width, height, top_down, row)


def rle_stream(width, height, bits, count):
    """Encoded runs, absolute runs (padded to a 16-bit boundary), a delta
    across and one up a row, end of line after each row, end of bitmap."""
    out = bytearray()

    def indices(y, start, end):
        return [index(x, y, count) for x in range(start, end)]

    def absolute(values):
        out.extend((0, len(values)))
        if bits == 8:
            out.extend(values)
            size = len(values)
        else:
            packed = [(values[i] << 4) | (values[i + 1] if i + 1 < len(values) else 0)
                      for i in range(0, len(values), 2)]
            out.extend(packed)
            size = len(packed)
        if size % 2:
            out.append(0)

    def encoded(length, first, second):
        out.extend((length, first if bits == 8 else (first << 4) | second))

    y = 0
    x = 0
    while y < height:
        if y == 2 and x == 0:  # a delta across: 9 pixels left as they are
            out.extend((0, 2, 9, 0))
            x = 9
        if y == 4 and x == 0 and y + 1 < height:  # a delta up: the rest of this row and the next row's start
            segment = indices(y, 0, 20)
            absolute(segment)
            out.extend((0, 2, 0, 1))
            x, y = 20, y + 1
        while x < width:
            left = width - x
            if (x // 17) % 2 == 0 and left >= 3:  # an absolute run
                length = min(left, 3 + (x + y) % 40)
                absolute(indices(y, x, x + length))
            else:  # an encoded run, of one index (RLE8) or two alternating (RLE4)
                length = min(left, 1 + (x + 2 * y) % 60)
                encoded(length, index(x, y, count), index(x + 1, y, count))
            x += length
        y += 1
        x = 0
        if y < height:
            out.extend((0, 0))
    out.extend((0, 1))
    return bytes(out)


def table_files(screen_width, screen_height):
    """(name, bytes, shows, why) for every row of the end-to-end table."""
    w, h = 333, 251  # odd: repeated at its own size from the corner, rows padded
    rows = []

    def add(name, data, shows="picture", why=""):
        rows.append((name, data, shows, why))

    def rgb(bits, width, height, top_down, size=40, **options):
        return bmp(info_header(width, -height if top_down else height, bits, size=size), b"",
                   rgb_rows(width, height, bits, top_down), **options)

    def fields(bits, masks, width, height, top_down, size=40):
        info = info_header(width, -height if top_down else height, bits, BITFIELDS, size=size, masks=masks)
        return bmp(info, struct.pack("<III", *masks) if size == 40 else b"",
                   field_rows(width, height, bits, masks, top_down))

    def paletted(bits, width, height, top_down, count=None):
        info = info_header(width, -height if top_down else height, bits,
                           colours_used=count or 0)
        return bmp(info, table_palette(count or 1 << bits), palette_rows(width, height, bits, top_down, count))

    def rle(bits, width, height, count=None, image_size=None, cut=0, **options):
        stream = options.pop("stream", None) or rle_stream(width, height, bits, count or 1 << bits)
        size = len(stream) if image_size is None else image_size
        info = info_header(width, height, bits, RLE8 if bits == 8 else RLE4, size, colours_used=count or 0)
        data = bmp(info, table_palette(count or 1 << bits), stream, **options)
        return data[:len(data) - cut]

    def core(bits, width, height):
        data = (palette_rows(width, height, bits, False) if bits <= 8
                else rgb_rows(width, height, 24, False))
        return bmp(core_header(width, height, bits), table_palette(1 << bits, 3) if bits <= 8 else b"", data)

    # The rows the saver reads itself.
    add("rgb24_bottom_up", rgb(24, w, h, False))
    add("rgb24_top_down", rgb(24, w, h, True))
    add("rgb24_top_down_1x1", rgb(24, 1, 1, True))
    add("rgb24_2x1", rgb(24, 2, 1, False))
    add("rgb24_top_down_screen", rgb(24, screen_width, screen_height, True))
    add("rgb24_top_down_enlarged", rgb(24, 643, 481, True))
    add("rgb24_top_down_shrunk", rgb(24, 1283, 1021, True))
    add("rgb24_top_down_cut", rgb(24, 1100, 900, True))
    add("rgb24_data_offset_zero", rgb(24, w, h, False, offset=0))
    add("rgb24_data_after_a_gap", bmp(info_header(w, -h, 24), bytes(6), rgb_rows(w, h, 24, True)))
    add("rgb32_bottom_up", rgb(32, w, h, False))
    add("rgb32_top_down", rgb(32, w, h, True))
    add("rgb16_bottom_up", bmp(info_header(w, h, 16), b"", field_rows(w, h, 16, MASKS_555, False)))
    add("rgb16_top_down", bmp(info_header(w, -h, 16), b"", field_rows(w, h, 16, MASKS_555, True)))
    add("fields16_565_bottom_up", fields(16, MASKS_565, w, h, False))
    add("fields16_565_top_down", fields(16, MASKS_565, 320, 240, True))
    add("fields16_555_top_down", fields(16, MASKS_555, w, h, True))
    add("fields32_top_down", fields(32, MASKS_888, w, h, True))
    add("fields32_10_bits", fields(32, (0x3FF00000, 0x000FFC00, 0x000003FF), w, h, False))
    add("fields32_1_bit", fields(32, (0x00000400, 0x00020000, 0x00000001), w, h, True))
    add("fields32_red_low", fields(32, (0x000000FF, 0x0000FF00, 0x00FF0000), w, h, False))
    add("v4_rgb24", rgb(24, w, h, False, size=108))
    add("v5_fields32_top_down", fields(32, MASKS_888, w, h, True, size=124))
    add("v5_fields16_top_down_enlarged", fields(16, MASKS_565, 643, 481, True, size=124))

    # The formats that go to LoadImageA.
    for bits in (1, 4, 8):
        add(f"palette{bits}_bottom_up", paletted(bits, w, h, False))
    add("palette8_top_down", paletted(8, w, h, True), "black",
        "Wine's LoadImageA makes top-down palette files black")
    add("palette4_top_down", paletted(4, w, h, True), "black",
        "Wine's LoadImageA makes top-down palette files black")
    add("palette8_short_table", paletted(8, w, h, False, count=20))
    add("palette8_screen", paletted(8, screen_width, screen_height, False))
    for bits in (1, 4, 8, 24):
        add(f"core{bits}", core(bits, w, h))
    add("rle8", rle(8, w, h))
    add("rle4", rle(4, w, h))
    add("rle8_enlarged", rle(8, 643, 481))

    # Refused: the desktop is captured instead.
    good = rgb(24, w, h, False)
    add("data_offset_2", good[:10] + struct.pack("<I", 2) + good[14:], "desktop")
    add("data_offset_in_info_header", good[:10] + struct.pack("<I", 30) + good[14:], "desktop")
    add("data_offset_in_colour_table", patch(paletted(8, w, h, False), 10, 54 + 4 * 100), "desktop")
    masks = struct.pack("<III", *MASKS_565)
    add("fields_at_24_bits", bmp(info_header(w, h, 24, BITFIELDS), masks, rgb_rows(w, h, 24, False)), "desktop")
    add("compression_7", patch(good, 30, 7), "desktop")
    add("masks_zero", fields(16, (0, 0, 0), w, h, False), "desktop")
    add("masks_overlapping", fields(16, (0xF800, 0x0FE0, 0x001F), w, h, False), "desktop")
    add("mask_not_contiguous", fields(32, (0x00FF0000, 0x0000FF00, 0x000000F3), w, h, False), "desktop")
    add("rle8_no_end", rle(8, w, h, stream=rle_stream(w, h, 8, 256)[:-2]), "desktop")
    add("rle8_absolute_past_data", rle(8, w, h, stream=bytes((0, 200)) + bytes(range(10))), "desktop")
    add("rle8_size_0_truncated", rle(8, w, h, image_size=0, cut=300), "desktop")
    add("rle8_run_past_the_row", rle(8, w, h, stream=bytes((255, 3, w - 250, 3, 0, 1))), "desktop")
    add("rle4_delta_past_the_image", rle(4, w, h, stream=bytes((4, 0x12, 0, 2, 0, h + 3, 4, 0x12, 0, 1))),
        "desktop")
    add("rle4_index_past_palette", rle(4, w, h, count=2, stream=bytes((8, 0x15, 0, 1))), "desktop")
    add("data_offset_past_the_end", patch(good, 10, len(good) + 1), "desktop")
    add("bits_per_pixel_64", patch(good, 28, 64, 2), "desktop")
    # Not a file on a disk: one that would never end, one that would wait for a writer.
    add("device", None, "desktop")
    add("fifo", None, "desktop")
    return rows


def patch(data, at, value, size=4):
    return data[:at] + value.to_bytes(size, "little") + data[at + size:]


def write_table(folder, size):
    screen_width, screen_height = (int(n) for n in size.split("x"))
    os.makedirs(folder, exist_ok=True)
    lines = []
    for name, data, shows, why in table_files(screen_width, screen_height):
        path = os.path.join(folder, name + ".bmp")
        if os.path.lexists(path):
            os.remove(path)
        if name == "device":
            os.symlink("/dev/zero", path)
        elif name == "fifo":
            os.mkfifo(path)
        else:
            with open(path, "wb") as f:
                f.write(data)
        lines.append(f"{name} {shows} {why}".rstrip())
    with open(os.path.join(folder, "table.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--table":
        write_table(sys.argv[2], sys.argv[3])
        return
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for kind, named in kept_files().items():
        os.makedirs(os.path.join(root, kind), exist_ok=True)
        for name, data in named.items():
            with open(os.path.join(root, kind, name + ".bmp"), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
