#!/usr/bin/env python3
"""Draws res/quellix.ico: a window frame whose title bar holds a red close cross, one 32 px image stored
as PNG (an icon image format since Windows Vista), so that it stays small in the executable; Windows
scales it for 16 px."""
import struct
import sys
import zlib


def pixel(size, x, y):
    s = size / 32.0
    inside = 2 * s <= x < size - 2 * s and 4 * s <= y < size - 3 * s
    if not inside:
        return (0, 0, 0, 0)
    border = x < 3 * s or x >= size - 3 * s or y >= size - 4 * s
    title = y < 10 * s
    if title:
        # close button: the right part of the title bar
        cx0, cx1 = size - 11 * s, size - 3 * s
        if cx0 <= x < cx1:
            u, v = (x - cx0) / (cx1 - cx0), (y - 4 * s) / (6 * s)
            if abs(u - v) < 0.2 or abs(u + v - 1) < 0.2:
                return (255, 255, 255, 255)
            return (210, 40, 40, 255)  # red
        return (30, 90, 150, 255)  # blue
    if border:
        return (30, 90, 150, 255)
    return (242, 246, 250, 255)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def image(size):
    # Icons take PNG images as 32 bits per pixel RGBA; each row starts with filter type 0.
    rows = b"".join(b"\0" + b"".join(bytes(pixel(size, x, y)) for x in range(size)) for y in range(size))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


def main(path):
    sizes = [32]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


main(sys.argv[1] if len(sys.argv) > 1 else "res/quellix.ico")
