#!/usr/bin/env python3
"""Draws the panel's bitmap resources as small PNG files.

Every bitmap is drawn from the sixteen-colour palette at exactly the size its
button has on the panel, state 0 (released, raised) and state 1 (pressed,
sunken). The clefs are drawn on the staff's grey with their five staff lines
on the rows where the staff view draws its lines around them. Run it from any
directory; it rewrites resources/bitmaps/*.png and resources/bitmaps.qrc.
Only the Python standard library is used.
"""

import math
import os
import struct
import zlib

BLACK = (0, 0, 0)
NAVY = (0, 0, 128)
GREEN = (0, 128, 0)
MAROON = (128, 0, 0)
OLIVE = (128, 128, 0)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
RED = (255, 0, 0)
LIME = (0, 255, 0)
YELLOW = (255, 255, 0)
CYAN = (0, 255, 255)
WHITE = (255, 255, 255)

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "bitmaps")


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, l, t, r, b, c):
        """Fills columns l..r-1 and rows t..b-1."""
        for y in range(t, b):
            for x in range(l, r):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1 + 1, y + 1, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x + 1, y1 + 1, c)

    def disc(self, cx, cy, rx, ry, c):
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self.set(x, y, c)

    def ring(self, cx, cy, rx, ry, c, thick=1.0):
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                d = math.sqrt(dx * dx + dy * dy)
                if abs(d - 1.0) * min(rx, ry) <= thick / 2:
                    self.set(x, y, c)

    def stroke(self, points, c, width=1.0):
        """A polyline of the given width, sampled finely."""
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            n = max(1, int(math.hypot(x1 - x0, y1 - y0) * 4))
            for i in range(n + 1):
                x = x0 + (x1 - x0) * i / n
                y = y0 + (y1 - y0) * i / n
                self.dot(x, y, width, c)

    def dot(self, x, y, width, c):
        r = width / 2.0
        for yy in range(int(y - r) - 1, int(y + r) + 2):
            for xx in range(int(x - r) - 1, int(x + r) + 2):
                if (xx + 0.5 - x) ** 2 + (yy + 0.5 - y) ** 2 <= r * r:
                    self.set(xx, yy, c)

    def polygon(self, points, c):
        """Fills a polygon by pixel centres (even-odd rule)."""
        for y in range(self.h):
            cy = y + 0.5
            xs = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= cy < y1) or (y1 <= cy < y0):
                    xs.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(self.w):
                    if a <= x + 0.5 <= b:
                        self.set(x, y, c)

    def png(self, path):
        raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in self.px)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                    chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# A 5 x 7 font for the button captions, '#' marks a pixel.
FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
}
# 5 x 5 letters for the 9 x 9 mixer buttons.
SMALL = {
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "S": [".####", "#....", ".###.", "....#", "####."],
}


def glyphs(cv, text, x, y, c, font):
    for ch in text:
        rows = font[ch]
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit == "#":
                    cv.set(x + i, y + j, c)
        x += len(rows[0]) + 1


def text_width(text, font):
    return len(text) * (len(font[text[0]][0]) + 1) - 1


def button(w, h, pressed, face=SILVER):
    """A raised (released) or sunken (pressed) button face with a black rim."""
    cv = Canvas(w, h, face)
    cv.rect(0, 0, w, 1, BLACK)
    cv.rect(0, h - 1, w, h, BLACK)
    cv.rect(0, 0, 1, h, BLACK)
    cv.rect(w - 1, 0, w, h, BLACK)
    light, dark = (GREY, WHITE) if pressed else (WHITE, GREY)
    cv.hline(1, w - 2, 1, light)
    cv.vline(1, 1, h - 2, light)
    cv.hline(1, w - 2, h - 2, dark)
    cv.vline(w - 2, 1, h - 2, dark)
    return cv


def pair(w, h, draw, on_face=GREY, off_ink=BLACK, on_ink=WHITE):
    """The released and the pressed image: draw(canvas, ink, dx, dy)."""
    off = button(w, h, False)
    draw(off, off_ink, 0, 0)
    on = button(w, h, True, on_face)
    draw(on, on_ink, 1, 1)
    return off, on


# Note lengths: whole, half, quarter, eighth, sixteenth, thirty-second.
def note(kind):
    def draw(cv, ink, dx, dy):
        hx, hy = 6 + dx, 19 + dy
        if kind <= 1:
            cv.ring(hx, hy, 3.2, 2.4, ink, 1.2)
        else:
            cv.disc(hx, hy, 3.2, 2.4, ink)
        if kind >= 1:
            cv.vline(int(hx + 2), 4 + dy, int(hy) - 1, ink)
        for f in range(max(0, kind - 2)):
            y0 = 4 + dy + 4 * f
            cv.stroke([(hx + 2.5, y0 + 0.5), (hx + 5.5, y0 + 3.5)], ink, 1.2)
    return draw


def flat(cv, ink, dx, dy):
    cv.vline(5 + dx, 2 + dy, 12 + dy, ink)
    cv.stroke([(5.5 + dx, 8.5 + dy), (8.5 + dx, 7.5 + dy), (9.5 + dx, 9 + dy),
               (5.5 + dx, 12.5 + dy)], ink, 1.2)


def sharp(cv, ink, dx, dy):
    cv.vline(6 + dx, 3 + dy, 11 + dy, ink)
    cv.vline(9 + dx, 2 + dy, 10 + dy, ink)
    cv.hline(4 + dx, 11 + dx, 5 + dy, ink)
    cv.hline(4 + dx, 11 + dx, 9 + dy, ink)


def dot(cv, ink, dx, dy):
    cv.disc(7.5 + dx, 7.5 + dy, 2.2, 2.2, ink)


def caption(text, font=FONT):
    def draw(cv, ink, dx, dy):
        fh = len(font[text[0]])
        # Captions fill their buttons nearly edge to edge: they stay in place
        # when pressed, the sunken rim and the colour show the state.
        x = (cv.w - text_width(text, font)) // 2
        y = (cv.h - fh) // 2
        glyphs(cv, text, x, y, ink, font)
    return draw


# Transport symbols on 30 x 15 buttons.
def stop(cv, ink, dx, dy):
    cv.rect(11 + dx, 4 + dy, 19 + dx, 11 + dy, ink)


def triangle(cv, x, dy, ink):
    cv.polygon([(x, 3 + dy), (x + 7, 7.5 + dy), (x, 12 + dy)], ink)


def play(cv, ink, dx, dy):
    triangle(cv, 12 + dx, dy, ink)


def play_all(cv, ink, dx, dy):
    triangle(cv, 8 + dx, dy, ink)
    triangle(cv, 15 + dx, dy, ink)


def pause(cv, ink, dx, dy):
    cv.rect(11 + dx, 4 + dy, 14 + dx, 11 + dy, ink)
    cv.rect(16 + dx, 4 + dy, 19 + dx, 11 + dy, ink)


def marker(cv, x, dy, ink):
    cv.polygon([(x - 3.5, 3 + dy), (x + 3.5, 3 + dy), (x, 7 + dy)], ink)
    cv.vline(int(x), 7 + dy, 11 + dy, ink)


def cue(cv, ink, dx, dy):
    marker(cv, 15 + dx, dy, ink)


def cue_set(cv, ink, dx, dy):
    marker(cv, 11 + dx, dy, ink)
    cv.hline(16 + dx, 22 + dx, 7 + dy, ink)
    cv.vline(19 + dx, 4 + dy, 10 + dy, ink)


def staff_lines(cv, rows):
    for y in rows:
        cv.hline(0, cv.w - 1, y, BLACK)


def smooth(points, steps=8):
    """A Catmull-Rom curve through the points, as a finer polyline."""
    pts = [points[0]] + points + [points[-1]]
    out = []
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            out.append(tuple(0.5 * (2 * p1[j] + (p2[j] - p0[j]) * t +
                                    (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t * t +
                                    (3 * p1[j] - p0[j] - 3 * p2[j] + p3[j]) * t * t * t)
                             for j in range(2)))
    out.append(points[-1])
    return out


def treble_clef():
    """28 x 62; staff lines on rows 15..47, the curl around the G line (39)."""
    cv = Canvas(28, 62, SILVER)
    staff_lines(cv, [15, 23, 31, 39, 47])
    # The curl around the G line, the belly, and up the right to the top loop.
    belly = [(15.5, 39.5), (13.5, 41.5), (11.5, 39.5), (12.5, 35.5), (16.5, 34.0), (20.5, 37.0),
             (20.5, 42.5), (16.5, 46.5), (11.0, 46.5), (7.5, 42.5), (7.5, 36.5), (10.5, 30.5),
             (15.0, 25.5), (18.0, 19.5), (18.5, 12.5), (17.5, 6.5), (15.5, 3.5)]
    cv.stroke(smooth(belly), BLACK, 2.0)
    # The stem from the top loop down through the staff to the hook.
    stem = [(15.5, 3.5), (13.5, 6.5), (13.0, 12.0), (13.5, 24.0), (14.5, 36.0), (15.5, 47.0),
            (16.0, 53.0), (15.0, 57.0), (12.5, 58.5), (10.0, 57.0)]
    cv.stroke(smooth(stem), BLACK, 1.6)
    cv.disc(10.5, 55.5, 2.2, 2.2, BLACK)
    return cv


def bass_clef():
    """28 x 48; staff lines on rows 6..38, the dot on the F line (14)."""
    cv = Canvas(28, 48, SILVER)
    staff_lines(cv, [6, 14, 22, 30, 38])
    cv.disc(6.5, 14.5, 2.8, 2.8, BLACK)
    cv.stroke([(5.0, 12.0), (7.0, 8.5), (11.0, 6.5), (15.0, 7.0), (18.0, 9.5), (19.0, 14.0),
               (18.0, 19.5), (15.0, 25.0), (10.5, 30.0), (5.0, 34.0)], BLACK, 2.4)
    cv.disc(23.5, 10.5, 1.7, 1.7, BLACK)
    cv.disc(23.5, 18.5, 1.7, 1.7, BLACK)
    return cv


def resources():
    res = {}
    for i in range(6):
        res[301 + 2 * i], res[302 + 2 * i] = pair(15, 25, note(i))
    res[313], res[314] = pair(15, 15, dot)
    res[315], res[316] = pair(15, 15, sharp)
    res[317], res[318] = pair(15, 15, flat)
    res[322], res[323] = pair(30, 20, caption("REP"))
    res[324], res[325] = pair(30, 20, caption("DEL"))
    res[326], res[327] = pair(24, 15, caption("CUT"))
    res[328], res[329] = pair(29, 15, caption("COPY"))
    res[330], res[331] = pair(33, 15, caption("PASTE"), on_ink=YELLOW)
    res[333], res[334] = pair(41, 15, caption("STORE"), on_ink=LIME)
    res[458], res[459] = pair(9, 9, caption("M", SMALL), on_face=MAROON, off_ink=MAROON, on_ink=WHITE)
    res[460], res[461] = pair(9, 9, caption("S", SMALL), on_face=OLIVE, off_ink=OLIVE, on_ink=YELLOW)
    res[602], res[603] = pair(30, 15, stop, on_ink=RED)
    res[605], res[606] = pair(30, 15, play, on_ink=LIME)
    res[608], res[609] = pair(30, 15, play_all, on_ink=LIME)
    res[611], res[612] = pair(30, 15, pause, on_ink=YELLOW)
    res[614], res[615] = pair(30, 15, cue, on_ink=CYAN)
    res[617], res[618] = pair(30, 15, cue_set, on_ink=CYAN)
    res[537] = treble_clef()
    res[538] = bass_clef()
    return res


def main():
    os.makedirs(OUT, exist_ok=True)
    res = resources()
    for rid, cv in sorted(res.items()):
        cv.png(os.path.join(OUT, "%d.png" % rid))
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/bitmaps">']
    lines += ['  <file alias="%d.png">bitmaps/%d.png</file>' % (rid, rid) for rid in sorted(res)]
    lines += ['</qresource>', '</RCC>', '']
    with open(os.path.join(HERE, "bitmaps.qrc"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
