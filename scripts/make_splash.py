#!/usr/bin/env python3
"""Draws the splash picture (640 x 480, 24-bit BMP) and writes it to resources/splash/splash.bmp.

A white page with a dark blue card, a lens emblem breaking out of the card's top edge and the name
"Lumoria" in stroke letters of our own. The splash window takes its outline from every pixel that is
not white, so the card's and the emblem's outer edges are drawn hard (no blend with the white), and
nothing inside the design is pure white. Inner details are smoothed with 4 x 4 samples per pixel.
Run again after changing the design and commit the file it writes.
"""
import math
import os
import struct

WIDTH, HEIGHT = 640, 480
SUB = 4
WHITE = (255, 255, 255)
CARD_TOP_COLOUR = (20, 36, 72)
CARD_BOTTOM_COLOUR = (40, 74, 132)
AMBER = (236, 150, 40)
LENS_DARK = (24, 28, 44)
LENS_TEAL = (36, 140, 162)
LENS_DEEP = (16, 70, 96)
GLINT = (206, 232, 242)
CREAM = (250, 240, 214)

CARD = (56, 128, 584, 420, 40)  # left, top, right, bottom, corner radius
EMBLEM = (320, 132, 86)  # centre x, centre y, radius


def in_card(x, y):
    left, top, right, bottom, r = CARD
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + r), right - r)
    cy = min(max(y, top + r), bottom - r)
    return math.hypot(x - cx, y - cy) <= r


def in_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) <= r


def card_colour(y):
    _, top, _, bottom, _ = CARD
    t = min(max((y - top) / (bottom - top), 0.0), 1.0)
    return tuple(a + (b - a) * t for a, b in zip(CARD_TOP_COLOUR, CARD_BOTTOM_COLOUR))


def mix(under, over, amount):
    return tuple(u + (o - u) * amount for u, o in zip(under, over))


# Stroke letters: each letter is a list of segments ("s", x0, y0, x1, y1), arcs ("a", cx, cy, r,
# from_degrees, to_degrees; y grows downwards, angles run clockwise on screen) and dots ("d", cx, cy, r),
# drawn with the stroke width around their centre lines. Coordinates are relative to the letter's
# left edge and the baseline.
X_HEIGHT = 50
CAP = 76
STROKE = 13
GAP = 15


def letter_l():
    return 36, [("s", 0, -CAP, 0, 0), ("s", 0, 0, 36, 0)]


def letter_u():
    r = 21
    return 2 * r, [("s", 0, -X_HEIGHT, 0, -r), ("a", r, -r, r, 0, 180), ("s", 2 * r, -X_HEIGHT, 2 * r, 0)]


def letter_m():
    r = 17
    top = -X_HEIGHT + r
    return 4 * r, [("s", 0, -X_HEIGHT, 0, 0), ("a", r, top, r, 180, 360), ("s", 2 * r, top, 2 * r, 0),
                   ("a", 3 * r, top, r, 180, 360), ("s", 4 * r, top, 4 * r, 0)]


def letter_o():
    r = X_HEIGHT / 2
    return 2 * r, [("a", r, -r, r, 0, 360)]


def letter_r():
    r = 19
    return r + 9, [("s", 0, -X_HEIGHT, 0, 0), ("a", r, -X_HEIGHT + r, r, 180, 285)]


def letter_i():
    return 0, [("s", 0, -X_HEIGHT, 0, 0), ("d", 0, -X_HEIGHT - 20, 8.5)]


def letter_a():
    r = X_HEIGHT / 2
    return 2 * r, [("a", r, -r, r, 0, 360), ("s", 2 * r, -X_HEIGHT, 2 * r, 0)]


WORD = [letter_l, letter_u, letter_m, letter_o, letter_r, letter_i, letter_a]


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def arc_dist(px, py, cx, cy, r, a0, a1):
    angle = math.degrees(math.atan2(py - cy, px - cx)) % 360
    span = (a1 - a0) % 360 if a1 - a0 < 360 else 360
    if span == 360 or (angle - a0) % 360 <= span:
        return abs(math.hypot(px - cx, py - cy) - r)
    ends = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in (a0, a1)]
    return min(math.hypot(px - ex, py - ey) for ex, ey in ends)


def ink_distance(px, py, parts):
    """How far the point lies outside the ink (negative inside)."""
    best = math.inf
    for part in parts:
        kind = part[0]
        if kind == "s":
            d = seg_dist(px, py, *part[1:]) - STROKE / 2
        elif kind == "a":
            d = arc_dist(px, py, *part[1:]) - STROKE / 2
        else:
            d = math.hypot(px - part[1], py - part[2]) - part[3]
        best = min(best, d)
    return best


def word_coverage(x, y, parts):
    # Only pixels on an edge need the samples.
    d = ink_distance(x + 0.5, y + 0.5, parts)
    if d > 0.75:
        return 0.0
    if d < -0.75:
        return 1.0
    return coverage(x, y, lambda u, v: ink_distance(u, v, parts) <= 0)


def word_parts(centre_x, baseline):
    letters = [make() for make in WORD]
    total = sum(w for w, _ in letters) + GAP * (len(letters) - 1) + STROKE * len(letters)
    x = centre_x - total / 2 + STROKE / 2
    placed = []
    for w, parts in letters:
        for part in parts:
            if part[0] == "s":
                placed.append(("s", part[1] + x, part[2] + baseline, part[3] + x, part[4] + baseline))
            elif part[0] == "a":
                placed.append(("a", part[1] + x, part[2] + baseline) + part[3:])
            else:
                placed.append(("d", part[1] + x, part[2] + baseline, part[3]))
        x += w + GAP + STROKE
    return placed


def coverage(x, y, test):
    hits = 0
    for sy in range(SUB):
        for sx in range(SUB):
            if test(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB):
                hits += 1
    return hits / (SUB * SUB)


def draw():
    ex, ey, er = EMBLEM
    word = word_parts(320, 334)
    word_box = (70, 334 - CAP - 20, 570, 334 + 12)
    rule = (236, 356, 404, 361)
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            cx, cy = x + 0.5, y + 0.5
            in_emblem = in_circle(cx, cy, ex, ey, er)
            if not (in_card(cx, cy) or in_emblem):
                row.append(WHITE)
                continue
            colour = AMBER if in_emblem else card_colour(cy)
            if math.hypot(cx - ex, cy - ey) <= er - 8:
                colour = mix(colour, LENS_DARK, coverage(x, y, lambda u, v: in_circle(u, v, ex, ey, er - 12)))
                colour = mix(colour, LENS_TEAL, coverage(x, y, lambda u, v: in_circle(u, v, ex, ey, 50)))
                colour = mix(colour, LENS_DEEP, coverage(x, y, lambda u, v: in_circle(u, v, ex, ey, 30)))
                colour = mix(colour, GLINT, coverage(x, y, lambda u, v: in_circle(u, v, ex - 17, ey - 17, 10)))
            if word_box[0] <= x < word_box[2] and word_box[1] <= y < word_box[3]:
                colour = mix(colour, CREAM, word_coverage(x, y, word))
            if rule[0] <= x < rule[2] and rule[1] <= y < rule[3]:
                colour = AMBER
            row.append(tuple(min(254, round(c)) if colour != WHITE else 255 for c in colour))
        rows.append(row)
    return rows


def write_bmp(path, rows):
    stride = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    out = os.path.join(root, "resources", "splash", "splash.bmp")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    write_bmp(out, draw())
    print("wrote", out)


if __name__ == "__main__":
    main()
