#!/usr/bin/env python3
"""Draws the cover editor's example photo and writes it to examples/Exemplo Texto.jpg.

A 1600 x 1200 evening scene (sky, sun, sea, hills) with the words "LUMORIA" and "CD DVD" in block
letters of our own across the middle, so that a disc cut out of it shows text on the ring. The
picture is written as PPM and turned into JPEG with cjpeg (libjpeg-turbo-progs).
Run again after changing the design and commit the file it writes.
"""
import math
import os

from picture_files import write_jpeg

WIDTH, HEIGHT = 1600, 1200
HORIZON = 760

# 5 x 7 block letters: one string per row, '#' painted.
FONT = {
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "C": [".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def mix(a, b, t):
    return tuple(int(round(a[k] + (b[k] - a[k]) * t)) for k in range(3))


def background(x, y):
    if y < HORIZON:
        t = y / HORIZON
        colour = mix((38, 44, 112), (246, 150, 84), t ** 1.4)
        d = math.hypot(x - 1060, y - 600)
        if d < 150:
            colour = mix((255, 236, 160), (252, 206, 110), d / 150)
        elif d < 320:
            colour = mix(colour, (255, 214, 140), (1 - (d - 150) / 170) * 0.45)
        hill = HORIZON - 120 * math.exp(-((x - 380) / 260) ** 2) - 70 * math.exp(-((x - 1380) / 200) ** 2)
        if y > hill:
            colour = mix((46, 60, 70), (28, 38, 48), (y - hill) / max(1.0, HORIZON - hill))
        return colour
    t = (y - HORIZON) / (HEIGHT - HORIZON)
    colour = mix((196, 120, 90), (20, 52, 96), t ** 0.7)
    # The sun's path on the water: broken bright bands under the sun.
    if abs(x - 1060) < 140 * (1 - t * 0.5) and (y // 9) % 3 != 0:
        colour = mix(colour, (255, 220, 150), 0.55 * (1 - t))
    return colour


def text_cells(text, cell, left, top):
    """Rectangles (x0, y0, x1, y1) of the painted cells of text."""
    cells = []
    for i, ch in enumerate(text):
        glyph = FONT[ch]
        gx = left + i * 6 * cell
        for row, line in enumerate(glyph):
            for col, c in enumerate(line):
                if c == "#":
                    x0, y0 = gx + col * cell, top + row * cell
                    cells.append((x0, y0, x0 + cell, y0 + cell))
    return cells


def main():
    pixels = [[background(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    for text, cell, top, fill in (("LUMORIA", 30, 250, (255, 250, 236)), ("CD DVD", 18, 900, (255, 200, 96))):
        width = (len(text) * 6 - 1) * cell
        left = (WIDTH - width) // 2
        shadow = max(4, cell // 5)
        for x0, y0, x1, y1 in text_cells(text, cell, left + shadow, top + shadow):
            for y in range(y0, y1):
                for x in range(x0, x1):
                    pixels[y][x] = mix(pixels[y][x], (10, 12, 30), 0.6)
        for x0, y0, x1, y1 in text_cells(text, cell, left, top):
            for y in range(y0, y1):
                for x in range(x0, x1):
                    pixels[y][x] = fill
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "examples", "Exemplo Texto.jpg")
    write_jpeg(out, WIDTH, HEIGHT, (v for row in pixels for p in row for v in p), "-quality", "88", "-optimize")

if __name__ == "__main__":
    main()
