#!/usr/bin/env python3
"""Draws Tessalander's icon and writes it as an .ico file: a landscape cut
into a 4 x 4 sliding puzzle, its bottom-right cell empty and the block beside
it sliding in. Two images: 32 x 32 in the 16 standard colours and 48 x 48 in
256 colours.

    make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

# The 16 colours every display driver has, in the order of the VGA palette.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# A 6 x 6 x 6 colour cube and a ramp of 40 greys.
PALETTE256 = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE256 += [(round(i * 255 / 41),) * 3 for i in range(1, 41)]

FRAME = (128, 128, 128)
HOLE = (0, 0, 0)
GRID = 4
BORDER = 2


def landscape(u, v):
    """The picture: sky, sun, hills; u and v run from 0 to 1 across it."""
    if (u - 0.70) ** 2 + (v - 0.27) ** 2 < 0.15 ** 2:
        return (255, 224, 32)
    hill = 0.60 + 0.09 * math.cos(2 * math.pi * (u - 0.25))
    if v > hill:
        shade = min(1.0, (v - hill) / 0.35)
        return (int(40 - 20 * shade), int(176 - 70 * shade), int(48 - 16 * shade))
    t = v / hill
    return (int(24 + 130 * t), int(80 + 130 * t), int(224 + 30 * t))


def landscape16(u, v):
    """The same picture in flat standard colours."""
    if (u - 0.70) ** 2 + (v - 0.27) ** 2 < 0.15 ** 2:
        return (255, 255, 0)
    hill = 0.60 + 0.09 * math.cos(2 * math.pi * (u - 0.25))
    if v > hill + 0.2:
        return (0, 128, 0)
    if v > hill:
        return (0, 255, 0)
    return (0, 255, 255) if v > hill - 0.2 else (0, 0, 255)


# Darker and lighter partners among the standard colours, for the bevels.
SHADOW16 = {(255, 255, 0): (128, 128, 0), (0, 255, 0): (0, 128, 0), (0, 128, 0): (0, 0, 0),
            (0, 255, 255): (0, 128, 128), (0, 0, 255): (0, 0, 128)}
LIGHT16 = {(255, 255, 0): (255, 255, 255), (0, 255, 0): (192, 192, 192),
           (0, 128, 0): (0, 255, 0), (0, 255, 255): (255, 255, 255), (0, 0, 255): (0, 255, 255)}


def scale(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def bevel(colour, light, flat):
    if flat:
        return (LIGHT16 if light else SHADOW16)[colour]
    return scale(colour, 1.45 if light else 0.55)


def draw(size, flat):
    """Full-colour pixels, rows from the top."""
    tile = (size - 2 * BORDER) // GRID
    board = tile * GRID
    pixels = [[FRAME] * size for _ in range(size)]
    # The block left of the empty cell is a little over a third of its way in.
    slide = (tile * 3 + 4) // 8
    for row in range(GRID):
        for col in range(GRID):
            if (col, row) == (GRID - 1, GRID - 1):
                shift = None
            elif (col, row) == (GRID - 2, GRID - 1):
                shift = slide
            else:
                shift = 0
            x0, y0 = BORDER + col * tile, BORDER + row * tile
            for y in range(tile):
                for x in range(tile):
                    pixels[y0 + y][x0 + x] = HOLE
            if shift is None:
                continue
            for y in range(tile):
                for x in range(tile):
                    u, v = (col * tile + x + 0.5) / board, (row * tile + y + 0.5) / board
                    colour = (landscape16 if flat else landscape)(u, v)
                    # Bevelled edges make each block stand out; the small
                    # image keeps only the shadow, or the blocks would blur.
                    if (x == 0 or y == 0) and not flat:
                        colour = bevel(colour, True, flat)
                    elif x == tile - 1 or y == tile - 1:
                        colour = bevel(colour, False, flat)
                    pixels[y0 + y][x0 + x + shift] = colour
    return pixels


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def quantise(pixels, palette):
    return [[nearest(colour, palette) for colour in row] for row in pixels]


def pack_rows(indices, bits):
    """Bottom-up rows of palette indices, each padded to 4 bytes."""
    data = b""
    for line in reversed(indices):
        value, count, row = 0, 0, bytearray()
        for index in line:
            value = (value << bits) | index
            count += bits
            if count == 8:
                row.append(value)
                value, count = 0, 0
        if count:
            row.append(value << (8 - count))
        row += b"\0" * (-len(row) % 4)
        data += bytes(row)
    return data


def icon_image(size, palette, bits):
    indices = quantise(draw(size, flat=bits == 4), palette)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    colours += b"\0" * (4 * (1 << bits) - len(colours))
    mask = pack_rows([[0] * size for _ in range(size)], 1)  # every pixel opaque
    return header + colours + pack_rows(indices, bits) + mask


def main():
    images = [
        (32, 16, 4, icon_image(32, VGA16, 4)),
        (48, 0, 8, icon_image(48, PALETTE256, 8)),
    ]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, blobs = b"", b""
    for size, colour_count, bits, image in images:
        entries += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(image),
                               offset + len(blobs))
        blobs += image
    with open(sys.argv[1], "wb") as f:
        f.write(directory + entries + blobs)


if __name__ == "__main__":
    main()
