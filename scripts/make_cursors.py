#!/usr/bin/env python3
"""Draws the program's nine animated cursors and writes them as .ani files under resources/rcdata.

The pictures are drawn here from simple shapes (4 x 4 supersampled, 32 x 32 pixels, 32-bit with
alpha); run again after changing a design and commit the files it writes.
"""
import math
import os
import struct

SIZE = 32
SUB = 4
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
NAVY = (0, 0, 128, 255)
AQUA = (0, 200, 230, 255)
RED = (210, 20, 20, 255)
ORANGE = (240, 140, 0, 255)
GREEN = (20, 160, 60, 255)
GREY = (120, 120, 120, 255)
BROWN = (130, 80, 30, 255)


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy)


def inside(px, py, pts):
    result = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


class Canvas:
    def __init__(self):
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(SIZE)] for _ in range(SIZE)]

    def _blend(self, x, y, colour, coverage):
        if coverage <= 0:
            return
        r, g, b, a = self.px[y][x]
        sa = colour[3] / 255.0 * coverage
        na = sa + a * (1 - sa)
        if na == 0:
            return
        mix = lambda s, d: (s * sa + d * a * (1 - sa)) / na
        self.px[y][x] = (mix(colour[0], r), mix(colour[1], g), mix(colour[2], b), na)

    def _shade(self, test, colour, box):
        x0, y0, x1, y1 = box
        for y in range(max(0, int(y0) - 1), min(SIZE, int(y1) + 2)):
            for x in range(max(0, int(x0) - 1), min(SIZE, int(x1) + 2)):
                hits = 0
                for sy in range(SUB):
                    for sx in range(SUB):
                        if test(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB):
                            hits += 1
                self._blend(x, y, colour, hits / (SUB * SUB))

    def polygon(self, pts, fill, stroke=BLACK, width=1.3):
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        box = (min(xs) - width, min(ys) - width, max(xs) + width, max(ys) + width)
        edges = list(zip(pts, pts[1:] + pts[:1]))
        if fill:
            self._shade(lambda x, y: inside(x, y, pts), fill, box)
        if stroke:
            self._shade(lambda x, y: min(seg_dist(x, y, *a, *b) for a, b in edges) <= width / 2, stroke, box)

    def circle(self, cx, cy, r, fill, stroke=BLACK, width=1.2):
        box = (cx - r - width, cy - r - width, cx + r + width, cy + r + width)
        if fill:
            self._shade(lambda x, y: math.hypot(x - cx, y - cy) <= r, fill, box)
        if stroke:
            self._shade(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2, stroke, box)

    def line(self, ax, ay, bx, by, colour, width):
        box = (min(ax, bx) - width, min(ay, by) - width, max(ax, bx) + width, max(ay, by) + width)
        self._shade(lambda x, y: seg_dist(x, y, ax, ay, bx, by) <= width / 2, colour, box)

    def bgra_rows_bottom_up(self):
        out = bytearray()
        for y in reversed(range(SIZE)):
            for x in range(SIZE):
                r, g, b, a = self.px[y][x]
                out += bytes((round(b), round(g), round(r), round(a * 255)))
        return bytes(out)


ARROW = [(1, 1), (1, 24), (6.5, 18.5), (10.5, 27.5), (14, 26), (10, 17.5), (17.5, 17.5)]


def rotate(pts, cx, cy, angle):
    c, s = math.cos(angle), math.sin(angle)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in pts]


def arrow_head(cx, cy, direction, length, half):
    """A filled triangle pointing along direction (radians) with its tip at (cx, cy)."""
    bx, by = cx - math.cos(direction) * length, cy - math.sin(direction) * length
    nx, ny = -math.sin(direction) * half, math.cos(direction) * half
    return [(cx, cy), (bx + nx, by + ny), (bx - nx, by - ny)]


def normal(f, n):
    c = Canvas()
    c.polygon(ARROW, WHITE)
    glint = 3 + f * 4
    c.line(3, glint, 3, glint + 3, AQUA, 1.6)
    return c


def apontar(f, n):
    c = Canvas()
    c.circle(9, 9, 4 + 2 * abs(math.sin(math.pi * f / n)), None, RED, 1.4)
    c.polygon([(1, 1), (1, 16), (5, 12), (8, 19), (10.5, 18), (7.5, 11), (12.5, 11)], WHITE)
    c.circle(9, 9, 1.2, RED, None)
    return c


def cortar(f, n):
    c = Canvas()
    opening = 0.18 + 0.14 * math.sin(2 * math.pi * f / n)
    for side in (-1, 1):
        a = -math.pi / 2 + side * opening
        tip = (16 + math.cos(a) * 14, 16 + math.sin(a) * 14)
        back = (16 - math.cos(a) * 6, 16 - math.sin(a) * 6)
        c.line(back[0], back[1], tip[0], tip[1], GREY, 2.6)
        c.line(back[0], back[1], tip[0], tip[1], WHITE, 1.0)
        ring = (16 - math.cos(a) * 10 - side * 3, 16 - math.sin(a) * 10)
        c.circle(ring[0], ring[1], 3.6, None, RED, 2.0)
    c.circle(16, 16, 1.3, BLACK, None)
    return c


def div_horizontal(f, n):
    c = Canvas()
    shift = 1.5 * math.sin(2 * math.pi * f / n)
    c.polygon([(4, 13), (28, 13), (28, 15), (4, 15)], WHITE)
    c.polygon([(4, 17), (28, 17), (28, 19), (4, 19)], WHITE)
    c.polygon(arrow_head(16, 2 - shift, -math.pi / 2, 7, 5), NAVY)
    c.polygon(arrow_head(16, 30 + shift, math.pi / 2, 7, 5), NAVY)
    c.line(16, 9 - shift, 16, 12, NAVY, 2)
    c.line(16, 20, 16, 23 + shift, NAVY, 2)
    return c


def esperar(f, n):
    c = Canvas()
    for i in range(8):
        a = 2 * math.pi * i / 8 - math.pi / 2
        age = (f - i) % 8
        shade = int(60 + age * 24)
        colour = (0, 0, 128, 255) if age == 0 else (shade, shade, min(255, shade + 60), 255)
        c.circle(16 + math.cos(a) * 10, 16 + math.sin(a) * 10, 3.2 if age == 0 else 2.4, colour, BLACK, 0.8)
    return c


def executar(f, n):
    c = Canvas()
    c.polygon(ARROW, WHITE)
    for i in range(6):
        a = 2 * math.pi * (i + f) / 6
        colour = ORANGE if i == 0 else (240, 200, 120, 255)
        c.circle(24 + math.cos(a) * 5, 24 + math.sin(a) * 5, 1.8, colour, BLACK, 0.6)
    return c


def movimentar(f, n):
    c = Canvas()
    push = 1.2 * math.sin(2 * math.pi * f / n)
    c.line(16, 6, 16, 26, BLACK, 3.2)
    c.line(6, 16, 26, 16, BLACK, 3.2)
    c.line(16, 6, 16, 26, WHITE, 1.4)
    c.line(6, 16, 26, 16, WHITE, 1.4)
    for k in range(4):
        a = k * math.pi / 2
        tip = (16 + math.cos(a) * (15 + push), 16 + math.sin(a) * (15 + push))
        c.polygon(arrow_head(tip[0], tip[1], a, 6, 4.5), GREEN)
    return c


def pintar(f, n):
    c = Canvas()
    c.line(28, 4, 14, 18, BROWN, 3.4)
    c.polygon([(14, 14), (18, 18), (9, 27), (3, 29), (5, 23)], (230, 60, 160, 255))
    if f:
        c.circle(4, 22 + f * 2.5, 1.4, (230, 60, 160, 255), None)
    return c


def tocar(f, n):
    c = Canvas()
    lift = 1.5 * abs(math.sin(math.pi * f / n))
    c.polygon([(16, 1 - lift + 1), (27, 13 - lift), (20, 13 - lift), (20, 30), (12, 30), (12, 13 - lift),
               (5, 13 - lift)], WHITE)
    c.line(16, 18, 16, 27, AQUA, 2)
    return c


# resource name, drawing, frames, jiffies per step, hot spot
CURSORS = [
    ("Cursor_Apontar", apontar, 6, 8, (1, 1)),
    ("Cursor_Cortar", cortar, 6, 7, (16, 2)),
    ("Cursor_Div_Horizontal", div_horizontal, 6, 8, (16, 16)),
    ("Cursor_Esperar", esperar, 8, 6, (16, 16)),
    ("Cursor_Executar", executar, 6, 7, (1, 1)),
    ("Cursor_Movimentar", movimentar, 6, 8, (16, 16)),
    ("Cursor_Normal", normal, 4, 15, (1, 1)),
    ("Cursor_Pintar", pintar, 4, 10, (3, 29)),
    ("Cursor_Tocar", tocar, 6, 8, (16, 1)),
]


def cursor_file(canvas, hot):
    pixels = canvas.bgra_rows_bottom_up()
    mask = bytes(4 * SIZE)  # AND mask rows: the alpha channel decides
    dib = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    dib += pixels + mask
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot[0], hot[1], len(dib), 6 + 16)
    return head + entry + dib


def chunk(tag, body):
    data = tag + struct.pack("<I", len(body)) + body
    return data + (b"\0" if len(body) % 2 else b"")


def ani_file(frames, jiffies):
    header = struct.pack("<9I", 36, len(frames), len(frames), SIZE, SIZE, 32, 1, jiffies, 1)
    body = b"ACON" + chunk(b"anih", header)
    body += chunk(b"LIST", b"fram" + b"".join(chunk(b"icon", f) for f in frames))
    return chunk(b"RIFF", body)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "rcdata")
    os.makedirs(out, exist_ok=True)
    for name, draw, count, jiffies, hot in CURSORS:
        frames = [cursor_file(draw(f, count), hot) for f in range(count)]
        with open(os.path.join(out, name), "wb") as fh:
            fh.write(ani_file(frames, jiffies))


if __name__ == "__main__":
    main()
