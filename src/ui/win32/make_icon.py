#!/usr/bin/env python3
"""Draws the program's icon (a gold V over two switch arrows on slate blue) as varokin.ico.

Run by hand when the drawing changes; the .ico it writes is committed beside it.
"""
import struct
import sys

SLATE = (52, 73, 110, 255)
EDGE = (24, 36, 60, 255)
GOLD = (240, 190, 60, 255)
WHITE = (235, 240, 248, 255)
CLEAR = (0, 0, 0, 0)


def inside_v(x, y):
    # Two slanted strokes meeting at the bottom centre, in a 0..1 square.
    if not 0.18 <= y <= 0.80:
        return False
    t = (y - 0.18) / 0.62
    left = 0.14 + t * 0.30
    right = 0.86 - t * 0.30
    stroke = 0.15
    return left <= x <= left + stroke or right - stroke <= x <= right


def inside_arrows(x, y):
    # A thin bar with heads at both ends, under the V.
    if 0.86 <= y <= 0.90 and 0.22 <= x <= 0.78:
        return True
    for tip, direction in ((0.14, 1), (0.86, -1)):
        dx = (x - tip) * direction
        if 0 <= dx <= 0.10 and abs(y - 0.88) <= dx * 0.7:
            return True
    return False


def pixel(size, px, py):
    x, y = (px + 0.5) / size, (py + 0.5) / size
    r = 0.16
    cx, cy = min(max(x, r), 1 - r), min(max(y, r), 1 - r)
    distance = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    if distance > r:
        return CLEAR
    if distance > r - 1.5 / size:
        return EDGE
    if inside_v(x, y):
        return GOLD
    if inside_arrows(x, y):
        return WHITE
    return SLATE


def image(size):
    rows = []
    for py in reversed(range(size)):  # a DIB is stored bottom-up
        row = b""
        for px in range(size):
            r, g, b, a = pixel(size, px, py)
            row += bytes((b, g, r, a))
        rows.append(row)
    mask_row = b"\0" * (((size + 31) // 32) * 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + mask_row * size


def main(path):
    sizes = (48, 32, 16)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "varokin.ico")
