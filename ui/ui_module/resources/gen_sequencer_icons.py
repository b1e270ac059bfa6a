#!/usr/bin/env python3
"""Draws the sequence editor's own 32 x 32 button icons (white glyphs on transparency);
open, save and equation use the main window's pictures."""
import math
import struct
import zlib

SIZE = 32


def png(path, pixels):
    raw = b"".join(b"\x00" + bytes(sum(row, [])) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    head = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def canvas():
    return [[[0, 0, 0, 0] for _ in range(SIZE)] for _ in range(SIZE)]


def dot(c, x, y, w=2):
    for dy in range(-w // 2, w - w // 2):
        for dx in range(-w // 2, w - w // 2):
            px, py = int(round(x)) + dx, int(round(y)) + dy
            if 0 <= px < SIZE and 0 <= py < SIZE:
                c[py][px] = [255, 255, 255, 255]


def line(c, x0, y0, x1, y1, w=2):
    n = int(max(abs(x1 - x0), abs(y1 - y0))) * 2 + 1
    for i in range(n + 1):
        t = i / n
        dot(c, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, w)


def rect(c, x0, y0, x1, y1):
    line(c, x0, y0, x1, y0)
    line(c, x1, y0, x1, y1)
    line(c, x1, y1, x0, y1)
    line(c, x0, y1, x0, y0)


def plus(c, cx, cy, r):
    line(c, cx - r, cy, cx + r, cy, 3)
    line(c, cx, cy - r, cx, cy + r, 3)


def minus(c, cx, cy, r):
    line(c, cx - r, cy, cx + r, cy, 3)


def cross(c, cx, cy, r):
    line(c, cx - r, cy - r, cx + r, cy + r, 3)
    line(c, cx - r, cy + r, cx + r, cy - r, 3)


def arrow(c, up):
    s = 1 if up else -1
    line(c, 16, 16 - 10 * s, 16, 16 + 10 * s, 3)
    line(c, 16, 16 - 10 * s, 8, 16 - 2 * s, 3)
    line(c, 16, 16 - 10 * s, 24, 16 - 2 * s, 3)


def sine(c):
    pts = [(4 + x, 16 - 9 * math.sin(x / 24 * 2 * math.pi)) for x in range(25)]
    for a, b in zip(pts, pts[1:]):
        line(c, a[0], a[1], b[0], b[1])


ICONS = {
    "image_stdwv.png": sine,
    "image_sequencer_decreace.png": lambda c: minus(c, 16, 16, 10),
    "image_sequencer_add_one.png": lambda c: plus(c, 16, 16, 10),
    "image_sequencer_add_all.png": lambda c: (plus(c, 10, 16, 6), plus(c, 23, 16, 6)),
    "image_sequencer_remove_one.png": lambda c: cross(c, 16, 16, 9),
    "image_sequencer_remove_all.png": lambda c: (cross(c, 10, 16, 5), cross(c, 23, 16, 5)),
    "image_sequencer_move_up.png": lambda c: arrow(c, True),
    "image_sequencer_move_down.png": lambda c: arrow(c, False),
}

if __name__ == "__main__":
    for name, draw in ICONS.items():
        c = canvas()
        draw(c)
        png(name, c)
