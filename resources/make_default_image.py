#!/usr/bin/env python3
"""Draws the saver's default picture, TessalanderImage.bmp: a mountain lake
at dusk, 1024 x 768, 24-bit. Everything is computed from fixed numbers, so
every run writes the same bytes. The scene has clear structure at the scale
of the puzzle's blocks (an eighth of the width): stars and a moon up high,
three mountain ranges, a low sun, its reflection on the lake, and pines on
the shore, so a scrambled picture still reads and each block finds its place.

    make_default_image.py OUTPUT.bmp
"""
import math
import struct
import sys

W, H = 1024, 768
HORIZON = 520          # the lake's far shore
SHORE = 650            # where the meadow begins
SUN = (700, 455, 62)   # centre x, centre y, radius


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def gradient(stops, t):
    """Colour at t in [0, 1] along [(position, colour), ...]."""
    t = min(max(t, 0.0), 1.0)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return lerp(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0.0)
    return stops[-1][1]


SKY = [(0.0, (14, 16, 52)), (0.45, (58, 46, 112)), (0.75, (196, 92, 108)),
       (0.92, (246, 160, 92)), (1.0, (252, 208, 128))]


def ridge(x, base, waves):
    return base + sum(a * math.sin(x * f + p) for a, f, p in waves)


RANGES = [  # base height, waves (amplitude, frequency, phase), colour, snow line
    (385, [(60, 0.011, 0.3), (25, 0.031, 1.7), (9, 0.083, 0.4)], (124, 98, 150), 350),
    (430, [(45, 0.008, 2.1), (22, 0.024, 0.2), (8, 0.071, 2.9)], (78, 62, 116), None),
    (478, [(30, 0.013, 4.0), (14, 0.039, 1.1), (6, 0.101, 0.7)], (40, 36, 78), None),
]


class Canvas:
    def __init__(self):
        self.px = [[(0, 0, 0)] * W for _ in range(H)]

    def put(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def blend(self, x, y, c, a):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = lerp(self.px[y][x], c, a)

    def save(self, path):
        rows = bytearray()
        for y in range(H - 1, -1, -1):  # bottom-up
            for r, g, b in self.px[y]:
                rows += bytes((b, g, r))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + rows)


def draw_sky(cv):
    for y in range(HORIZON):
        c = gradient(SKY, y / HORIZON)
        cv.px[y] = [c] * W
    # A faint band of the galaxy, rising from left to right.
    for y in range(0, HORIZON):
        for x in range(W):
            d = abs((y - 300 + x * 0.28) * 0.96)
            if d < 90:
                glow = 0.22 * (1 - d / 90) ** 2 * (0.75 + 0.25 * math.sin(x * 0.045 + y * 0.02))
                cv.blend(x, y, (170, 160, 220), glow)
    # Stars: a fixed linear congruential sequence, thinning towards the horizon.
    seed = 20240607
    for _ in range(420):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = seed % W
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = seed % 300
        bright = 0.35 + 0.65 * (1 - y / 300)
        cv.blend(x, y, (255, 250, 230), bright)
        if seed % 7 == 0:  # a few larger ones
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                cv.blend(x + dx, y + dy, (255, 250, 230), bright * 0.5)
    # A crescent moon, top left.
    mx, my, mr = 170, 120, 38
    for y in range(my - mr - 2, my + mr + 3):
        for x in range(mx - mr - 2, mx + mr + 3):
            d = math.hypot(x - mx, y - my)
            cut = math.hypot(x - mx - 16, y - my + 8)
            if d <= mr and cut > mr - 4:
                cv.put(x, y, (250, 244, 214))
    # The sun's glow, low over the far range.
    sx, sy, sr = SUN
    for y in range(max(0, sy - 260), HORIZON):
        for x in range(max(0, sx - 330), min(W, sx + 330)):
            d = math.hypot(x - sx, y - sy)
            if d <= sr:
                cv.put(x, y, lerp((255, 236, 170), (255, 250, 220), 1 - d / sr))
            elif d < 330:
                cv.blend(x, y, (255, 196, 120), 0.45 * (1 - (d - sr) / (330 - sr)) ** 2)
    # Birds: small chevrons in a loose line.
    for i, (bx, by) in enumerate(((420, 210), (452, 226), (486, 204), (515, 236), (548, 218))):
        s = 9 - i % 3
        for t in range(-s, s + 1):
            y = by - (s - abs(t)) // 2
            cv.put(bx + t, y, (30, 24, 48))
            cv.put(bx + t, y + 1, (30, 24, 48))


def draw_mountains(cv):
    for base, waves, colour, snow in RANGES:
        for x in range(W):
            top = int(ridge(x, base, waves))
            for y in range(max(0, top), HORIZON):
                # Slightly lighter on the sun's side of each slope.
                slope = ridge(x + 1, base, waves) - ridge(x - 1, base, waves)
                shade = 0.10 if slope > 0 else -0.06
                c = lerp(colour, (255, 220, 200) if shade > 0 else (0, 0, 0), abs(shade))
                if snow is not None and y < snow and y < top + 16:
                    c = lerp(c, (236, 232, 246), 0.8)
                cv.put(x, y, c)


def draw_lake(cv):
    sx, _, sr = SUN
    for y in range(HORIZON, SHORE):
        depth = (y - HORIZON) / (SHORE - HORIZON)
        # The sky mirrored, darkened with depth.
        mirrored = gradient(SKY, 1 - depth * 0.8)
        row_colour = lerp(mirrored, (18, 22, 60), 0.35 + 0.4 * depth)
        row = [row_colour] * W
        # Ripples: darker lines that widen towards the viewer.
        if int((y - HORIZON) ** 1.25) % 9 == 0:
            row = [lerp(row_colour, (8, 10, 32), 0.35)] * W
        cv.px[y] = row
        # The sun's reflection: a column of broken bright dashes.
        half = int(sr * (0.5 + depth * 0.9))
        for x in range(sx - half, sx + half):
            wave = math.sin(x * 0.21 + y * 1.7) + math.sin(y * 0.9)
            if wave > 0.2 - depth:
                a = (1 - abs(x - sx) / half) * (1 - depth * 0.6)
                cv.blend(x, y, (255, 214, 140), max(0.0, a))
    # The far ranges mirrored faintly just below the far shore.
    base, waves, colour, _ = RANGES[2]
    for x in range(W):
        depth_of_ridge = HORIZON - int(ridge(x, base, waves))
        for y in range(HORIZON, min(SHORE, HORIZON + depth_of_ridge)):
            cv.blend(x, y, colour, 0.55 * (1 - (y - HORIZON) / max(1, depth_of_ridge)))


def draw_shore(cv):
    for y in range(SHORE, H):
        t = (y - SHORE) / (H - SHORE)
        c = lerp((34, 64, 48), (12, 30, 22), t)
        cv.px[y] = [c] * W
    # A winding path of lighter earth to the water.
    for y in range(SHORE, H):
        t = (y - SHORE) / (H - SHORE)
        centre = 520 + 90 * math.sin(t * 3.0) - 60 * t
        half = 6 + 46 * t
        for x in range(int(centre - half), int(centre + half)):
            cv.put(x, y, lerp((150, 122, 84), (104, 82, 56), t))
    # Pines: stacked triangles, bigger near the viewer.
    pines = [(40, 700, 70), (118, 690, 52), (205, 742, 96), (300, 684, 44),
             (372, 706, 60), (690, 698, 58), (776, 744, 100), (866, 690, 50),
             (930, 716, 74), (1000, 694, 56), (470, 668, 30), (612, 672, 34)]
    for px_, py, size in pines:
        trunk = max(2, size // 12)
        for y in range(py - size // 5, py + 1):
            for x in range(px_ - trunk, px_ + trunk + 1):
                cv.put(x, y, (58, 38, 26))
        for tier in range(3):
            top = py - size - size // 5 + tier * size // 3
            height = size // 2
            for y in range(top, top + height):
                half = int((y - top) / height * (size * (0.30 + 0.08 * tier)))
                for x in range(px_ - half, px_ + half + 1):
                    light = 0.18 if x < px_ else 0.0
                    cv.put(x, y, lerp((16, 58, 34), (90, 140, 90), light))


def main():
    cv = Canvas()
    draw_sky(cv)
    draw_mountains(cv)
    draw_lake(cv)
    draw_shore(cv)
    cv.save(sys.argv[1] if len(sys.argv) > 1 else "TessalanderImage.bmp")


if __name__ == "__main__":
    main()
