#!/usr/bin/env python3
"""Reads a screenshot of the puzzle as a grid of square cells and says what
each cell shows: one of the picture's own blocks at 1:1 (wherever it came
from), a single flat colour (the empty slot), or anything else.

    puzzle_cells.py SCREENSHOT PICTURE BLOCK

Prints cells=, picture_blocks=, in_place=, flat=, other=. The picture is
compared as the saver shows it: its top-left SCREEN-sized part.
"""
import subprocess
import sys


def rgb(path):
    size = subprocess.run(["identify", "-format", "%w %h", path + "[0]"], check=True,
                          capture_output=True, text=True).stdout.split()
    w, h = int(size[0]), int(size[1])
    data = subprocess.run(["convert", path + "[0]", "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout
    return w, h, data


def cell(data, width, x, y, block):
    rows = []
    for row in range(y, y + block):
        start = (row * width + x) * 3
        rows.append(data[start:start + block * 3])
    return b"".join(rows)


def main():
    shot, picture, block = sys.argv[1], sys.argv[2], int(sys.argv[3])
    sw, sh, screen = rgb(shot)
    pw, ph, pic = rgb(picture)
    columns, rows = min(sw, pw) // block, min(sh, ph) // block
    blocks = {}
    for r in range(rows):
        for c in range(columns):
            blocks[cell(pic, pw, c * block, r * block, block)] = (c, r)
    counts = {"cells": 0, "picture_blocks": 0, "in_place": 0, "flat": 0, "other": 0}
    for r in range(rows):
        for c in range(columns):
            shown = cell(screen, sw, c * block, r * block, block)
            counts["cells"] += 1
            if shown in blocks:
                counts["picture_blocks"] += 1
                counts["in_place"] += blocks[shown] == (c, r)
            elif shown == shown[:3] * (len(shown) // 3):
                counts["flat"] += 1
            else:
                counts["other"] += 1
    for key, value in counts.items():
        print(f"{key}={value}")


if __name__ == "__main__":
    main()
