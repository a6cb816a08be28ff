#!/usr/bin/env python3
"""Draws the red-eye example photo that the photo editor's button opens: a smiling face with two
red pupils to retouch, written as JPEG through cjpeg to examples/Exemplo Olhos Vermelhos.jpg. The
build copies examples/ beside the program as "Fotos Lumoria/Exemplos". Run from the source tree:
scripts/make-example-photos.py"""
import math
import sys

from picture_files import write_jpeg

W, H = 960, 720
OUT = "examples/Exemplo Olhos Vermelhos.jpg"

SKIN = (236, 196, 160)
SKIN_SHADE = (214, 168, 130)
HAIR = (92, 58, 34)
WHITE = (246, 244, 240)
IRIS = (92, 120, 70)
RED = (206, 28, 24)
RED_DEEP = (160, 16, 14)
LIPS = (190, 92, 92)
SHIRT = (48, 96, 160)


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def background(x, y):
    # A soft wall from light blue at the top to warm grey at the bottom.
    t = y / H
    return (int(170 + 50 * t), int(196 + 20 * t), int(226 - 30 * t))


def eye(x, y, cx, cy):
    if inside_ellipse(x, y, cx, cy, 16, 16) and (x - cx + 6) ** 2 + (y - cy + 6) ** 2 <= 16:
        return WHITE                       # the flash's highlight
    if inside_ellipse(x, y, cx, cy, 16, 16):
        d = math.hypot(x - cx, y - cy) / 16
        return RED if d < 0.7 else RED_DEEP  # the red pupil
    if inside_ellipse(x, y, cx, cy, 27, 27):
        return IRIS
    if inside_ellipse(x, y, cx, cy, 52, 30):
        return WHITE
    return None


def colour(x, y):
    fx, fy = W // 2, 350
    if y > 600 and inside_ellipse(x, y, fx, 820, 330, 260):
        return SHIRT
    if inside_ellipse(x, y, fx, fy - 60, 250, 250) and y < fy - 40 and not inside_ellipse(x, y, fx, fy + 10, 215, 260):
        return HAIR
    if 430 <= x <= 530 and 540 <= y <= 640:
        return SKIN_SHADE                  # the neck
    if inside_ellipse(x, y, fx, fy + 10, 215, 260):
        for cx in (fx - 90, fx + 90):
            c = eye(x, y, cx, 320)
            if c:
                return c
            if inside_ellipse(x, y, cx, 268, 60, 10) and y < 268:
                return HAIR                # eyebrows
        if inside_ellipse(x, y, fx, 470, 85, 34) and y > 470 and not inside_ellipse(x, y, fx, 462, 80, 24):
            return LIPS                    # the smile
        if inside_ellipse(x, y, fx + 8, 405, 16, 40) and x > fx + 4:
            return SKIN_SHADE              # the nose's shade
        return SKIN
    if inside_ellipse(x, y, fx - 222, 350, 26, 48) or inside_ellipse(x, y, fx + 222, 350, 26, 48):
        return SKIN_SHADE                  # ears
    return background(x, y)


def main():
    pixels = bytearray()
    for y in range(H):
        for x in range(W):
            pixels.extend(colour(x, y))
    write_jpeg(OUT, W, H, pixels, "-quality", "92")


if __name__ == "__main__":
    sys.exit(main())
