#!/usr/bin/env python3
"""Draws the Linux icons from the same picture as the Windows icon (src/ui/win32/make_icon.py):
varokin-48.png, varokin-128.png and varokin-256.png, and varokin.svg with the same shapes.

Run by hand when the drawing changes; the files it writes are committed beside it.
"""
import importlib.util
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
source = importlib.util.spec_from_file_location(
    "make_icon", os.path.join(HERE, "..", "..", "src", "ui", "win32", "make_icon.py"))
icon = importlib.util.module_from_spec(source)
source.loader.exec_module(icon)


def png(size):
    raw = b""
    for py in range(size):
        raw += b"\0" + b"".join(bytes(icon.pixel(size, px, py)) for px in range(size))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def colour(rgba):
    return "#%02x%02x%02x" % rgba[:3]


def svg():
    # The shapes of make_icon.py in a 256-unit square.
    s = 256

    def points(*xy):
        return " ".join("%g,%g" % (x * s, y * s) for x, y in xy)

    v_left = points((0.14, 0.18), (0.29, 0.18), (0.59, 0.80), (0.44, 0.80))
    v_right = points((0.71, 0.18), (0.86, 0.18), (0.56, 0.80), (0.41, 0.80))
    head_left = points((0.14, 0.88), (0.24, 0.81), (0.24, 0.95))
    head_right = points((0.86, 0.88), (0.76, 0.81), (0.76, 0.95))
    edge = 1.5
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{s}" height="{s}" viewBox="0 0 {s} {s}">
  <rect x="{edge / 2}" y="{edge / 2}" width="{s - edge}" height="{s - edge}" rx="{0.16 * s - edge / 2:g}"
        fill="{colour(icon.SLATE)}" stroke="{colour(icon.EDGE)}" stroke-width="{edge}"/>
  <polygon points="{v_left}" fill="{colour(icon.GOLD)}"/>
  <polygon points="{v_right}" fill="{colour(icon.GOLD)}"/>
  <rect x="{0.22 * s:g}" y="{0.86 * s:g}" width="{0.56 * s:g}" height="{0.04 * s:g}" fill="{colour(icon.WHITE)}"/>
  <polygon points="{head_left}" fill="{colour(icon.WHITE)}"/>
  <polygon points="{head_right}" fill="{colour(icon.WHITE)}"/>
</svg>
"""


def main():
    for size in (48, 128, 256):
        with open(os.path.join(HERE, "varokin-%d.png" % size), "wb") as f:
            f.write(png(size))
    with open(os.path.join(HERE, "varokin.svg"), "w") as f:
        f.write(svg())


if __name__ == "__main__":
    main()
