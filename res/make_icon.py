#!/usr/bin/env python3
"""Draws the application icon, a yellow memo note held by a red pin, and writes
mimoruka.ico beside this script: one 32x32 and one 16x16 image, 16 colours each.
Run it again after changing the drawing: python3 res/make_icon.py"""
import math
import os
import struct

# The standard 16-colour palette (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, OLIVE, NAVY, SILVER, GREY, RED, YELLOW, WHITE = 0, 1, 3, 4, 7, 8, 9, 11, 15
CLEAR = None


def draw(size):
    """The picture as rows of palette indexes (CLEAR: transparent), scaled to size."""
    k = size / 32
    px = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(round(y0 * k), round(y1 * k) + 1):
            for x in range(round(x0 * k), round(x1 * k) + 1):
                px[y][x] = colour

    # The note with its outline and a shadow on the right and bottom.
    rect(5, 7, 28, 30, GREY)
    rect(4, 6, 27, 29, BLACK)
    rect(5, 7, 26, 28, YELLOW)
    # A folded corner at the bottom right: the corner cut away, its flap lying on the note.
    fold = round(6 * k)
    right, bottom = round(26 * k), round(28 * k)
    for i in range(fold + 1):  # i: rows up from the bottom edge, j: columns left of the right edge
        for j in range(fold + 1):
            if i + j < fold:
                colour = CLEAR
            elif i + j == fold or i == fold or j == fold:
                colour = BLACK
            else:
                colour = OLIVE
            px[bottom - i][right - j] = colour
    # Beyond the cut: no outline and no shadow either.
    for y in range(bottom + 1, size):
        for x in range(right - fold, size):
            if (bottom - y) + (right - x) < fold:
                px[y][x] = CLEAR
    for y in range(bottom - fold, bottom + 1):
        for x in range(right + 1, size):
            if (bottom - y) + (right - x) < fold:
                px[y][x] = CLEAR
    # Written lines.
    for y in (13, 17, 21):
        rect(8, y, 23, y, NAVY)
    rect(8, 25, 17, 25, NAVY)
    # The pin: a red head with a highlight, on a short grey needle.
    cx, cy, r = 16 * k, 6 * k, 3.6 * k
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                px[y][x] = DARK_RED if d > r - 1 else RED
    hx, hy = round(cx - r / 2.5), round(cy - r / 2.5)
    px[hy][hx] = WHITE
    rect(16, 10, 16, 11, GREY)
    return px


def image(size):
    px = draw(size)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    xor, mask = b"", b""
    for row in reversed(px):  # bottom-up
        nibbles = [0 if c is CLEAR else c for c in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += line.ljust(xor_row, b"\0")
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is CLEAR else 0)
        mask += bits.to_bytes((size + 7) // 8, "big").ljust(and_row, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + xor + mask


def main():
    sizes = (32, 16)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mimoruka.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
