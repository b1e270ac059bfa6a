#!/usr/bin/env python3
"""Writes the drawing tools' canvas cursors: 32 x 32 icons (32-bit BMP entries), a white
glyph with a black outline whose tip sits at the lower-left corner, the cursor's hot spot."""
import struct

SIZE = 32


def glyph(kind):
    """Set of (x, y) pixels, y counted from the top."""
    px = set()
    if kind == "hand":  # a free stroke
        for x in range(0, 24):
            px.add((x, 31 - x - (3 if 6 < x < 14 else 0)))
    elif kind == "hline":
        for x in range(0, 28):
            px.add((x, 31))
            px.add((x, 30))
    elif kind == "vline":
        for y in range(4, 32):
            px.add((0, y))
            px.add((1, y))
    elif kind == "obline":
        for x in range(0, 26):
            px.add((x, 31 - x))
    elif kind == "point":
        for d in range(-5, 6):
            px.add((6 + d, 25 + d))
            px.add((6 + d, 25 - d))
        px.add((0, 31))
    return {(x, y) for x, y in px if 0 <= x < SIZE and 0 <= y < SIZE}


def ico(kind):
    core = glyph(kind)
    outline = {(x + dx, y + dy) for x, y in core for dx in (-1, 0, 1) for dy in (-1, 0, 1)}
    outline = {(x, y) for x, y in outline if 0 <= x < SIZE and 0 <= y < SIZE} - core
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up rows
        row = b""
        for x in range(SIZE):
            if (x, y) in core:
                row += bytes((255, 255, 255, 255))
            elif (x, y) in outline:
                row += bytes((0, 0, 0, 255))
            else:
                row += bytes((0, 0, 0, 0))
        rows.append(row)
    pixels = b"".join(rows)
    mask = bytes(4 * SIZE)  # alpha carries the shape
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


if __name__ == "__main__":
    import os
    here = os.path.dirname(os.path.abspath(__file__))
    for kind, name in (("hand", "cursor.ico"), ("hline", "cursor_hline.ico"), ("vline", "cursor_vline.ico"),
                       ("obline", "cursor_obline.ico"), ("point", "cursor_point.ico")):
        with open(os.path.join(here, name), "wb") as f:
            f.write(ico(kind))
