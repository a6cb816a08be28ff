#!/usr/bin/env python3
"""Draws the empty-frame picture (light grey with a simple landscape sign) and writes it as JPEG
through cjpeg: resources/rcdata/Foto_Vazia. Run from the source tree: scripts/make-placeholder.py"""
import subprocess
import sys

W, H = 480, 360
BACK = (236, 236, 236)
EDGE = (200, 200, 200)
SIGN = (176, 176, 176)


def inside_triangle(x, y, a, b, c):
    def side(p, q, r):
        return (r[0] - q[0]) * (p[1] - q[1]) - (p[0] - q[0]) * (r[1] - q[1])
    d1, d2, d3 = side((x, y), a, b), side((x, y), b, c), side((x, y), c, a)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


def colour(x, y):
    # A frame of 6 pixels and, in the middle, a picture sign: a box, two hills and a sun.
    if x < 6 or y < 6 or x >= W - 6 or y >= H - 6:
        return EDGE
    bx0, by0, bx1, by1 = 150, 100, 330, 260
    if bx0 <= x < bx1 and by0 <= y < by1:
        if x < bx0 + 8 or y < by0 + 8 or x >= bx1 - 8 or y >= by1 - 8:
            return SIGN
        if (x - 282) ** 2 + (y - 140) ** 2 <= 16 ** 2:
            return SIGN
        if inside_triangle(x, y, (160, 250), (215, 170), (270, 250)):
            return SIGN
        if inside_triangle(x, y, (235, 250), (275, 200), (320, 250)):
            return SIGN
    return BACK


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/rcdata/Foto_Vazia"
    pixels = bytearray()
    for y in range(H):
        for x in range(W):
            pixels.extend(colour(x, y))
    ppm = b"P6\n%d %d\n255\n" % (W, H) + bytes(pixels)
    jpeg = subprocess.run(["cjpeg", "-quality", "90", "-optimize"], input=ppm, capture_output=True, check=True).stdout
    with open(out, "wb") as f:
        f.write(jpeg)


if __name__ == "__main__":
    main()
