#!/usr/bin/env python3
"""Draws kovi's application icon and writes it as kovi.ico.

The picture: a computer mouse (body, button split, scroll wheel, cable) with
three rate waves rising from its right shoulder. One 256x256 image, 32 bits
per pixel, stored as PNG inside the icon file, which is what the executable's
icon group 101 holds. Standard library only; the output is deterministic.

    python3 resources/make_icon.py            # rewrites resources/kovi.ico
"""
import math
import os
import struct
import zlib

SIZE = 256
SAMPLES = 4  # per axis, for anti-aliased edges

BODY = (37, 99, 235)
BODY_EDGE = (23, 37, 84)
WHEEL = (241, 245, 249)
CABLE = (71, 85, 105)
WAVE = (249, 115, 22)


def in_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def in_capsule(x, y, x0, y0, x1, y1, radius):
    """Inside the segment (x0, y0)-(x1, y1) thickened by radius."""
    dx, dy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
    px, py = x0 + t * dx, y0 + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= radius * radius


def in_arc(x, y, cx, cy, radius, width, start, end):
    """Inside a ring segment between the angles start and end (degrees, y up)."""
    distance = math.hypot(x - cx, y - cy)
    if abs(distance - radius) > width / 2:
        return False
    angle = math.degrees(math.atan2(cy - y, x - cx))
    return start <= angle <= end


def in_cable(x, y):
    """A gentle S-curve from the top of the body to the top of the picture."""
    if y < 8 or y > 62:
        return False
    centre = 112 + 10 * math.sin((y - 8) / 54 * math.pi * 1.5)
    return abs(x - centre) <= 4.5


def colour_at(x, y):
    """The colour (r, g, b) of a point, or None where the picture is empty."""
    cx, cy = 112, 156
    if in_ellipse(x, y, cx, cy, 58, 88):
        if in_capsule(x, y, cx, 100, cx, 124, 7):
            return WHEEL
        if in_ellipse(x, y, cx, cy, 52, 82):
            split = (abs(x - cx) <= 2 and y < 140) or (abs(y - 140) <= 2 and y < 141)
            if split and not in_capsule(x, y, cx, 100, cx, 124, 10):
                return BODY_EDGE
            return BODY
        return BODY_EDGE
    if in_cable(x, y):
        return CABLE
    for radius in (34, 56, 78):
        if in_arc(x, y, 170, 96, radius, 11, -10, 80):
            return WAVE
    return None


def render():
    rows = []
    for py in range(SIZE):
        row = bytearray([0])  # PNG filter type: none
        for px in range(SIZE):
            totals = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if colour is not None:
                        covered += 1
                        for i in range(3):
                            totals[i] += colour[i]
            if covered:
                row += bytes(totals[i] // covered for i in range(3))
                row.append(covered * 255 // (SAMPLES * SAMPLES))
            else:
                row += b"\0\0\0\0"
        rows.append(bytes(row))
    return b"".join(rows)


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(pixels):
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(pixels, 9)) + png_chunk(b"IEND", b""))


def encode_ico(png):
    directory = struct.pack("<HHH", 0, 1, 1)  # reserved, type icon, one image
    # Width and height 0 mean 256; 1 plane, 32 bits per pixel; data right after.
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(png), 6 + 16)
    return directory + entry + png


def main():
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "kovi.ico")
    with open(target, "wb") as output:
        output.write(encode_ico(encode_png(render())))


if __name__ == "__main__":
    main()
