#!/usr/bin/env python3
"""Draws the program's icon, resource 1001: an eighth note on the panel's
mixer blue with a lit green LED, 32 by 32 pixels. Run it from any directory;
it rewrites resources/icons/1001.png. Only the Python standard library is
used.
"""

import os
import struct
import zlib

SIZE = 32
BLUE = (50, 50, 125, 255)
EDGE = (20, 20, 60, 255)
WHITE = (255, 255, 255, 255)
GREEN = (0, 255, 0, 255)
CLEAR = (0, 0, 0, 0)


def inside_rounded(x, y, r=5):
    cx = min(max(x, r), SIZE - 1 - r)
    cy = min(max(y, r), SIZE - 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pixel(x, y):
    if not inside_rounded(x, y):
        return CLEAR
    if not inside_rounded(x, y, 5) or x in (0, SIZE - 1) or y in (0, SIZE - 1):
        return EDGE
    # Note head: a tilted ellipse around (12, 23).
    u, v = x - 12, y - 23
    if ((u * 0.9 + v * 0.45) / 5.5) ** 2 + ((-u * 0.45 + v * 0.9) / 3.6) ** 2 <= 1:
        return WHITE
    if 16 <= x <= 17 and 5 <= y <= 22:  # stem
        return WHITE
    if 18 <= x <= 23 and 5 + (x - 18) <= y <= 8 + (x - 18):  # flag
        return WHITE
    if (x - 25) ** 2 + (y - 25) ** 2 <= 5:  # LED
        return GREEN
    return BLUE


def write_png(path, rows):
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    write_png(os.path.join(here, "icons", "1001.png"), rows)
