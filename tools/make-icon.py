#!/usr/bin/env python3
"""Draws res/quellix.ico: a window frame whose title bar holds a red close cross, 16 and 32 px, 4 bits
per pixel with a transparency mask, so that it stays small in the executable."""
import struct
import sys


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
            return (40, 40, 210, 255)  # BGR: red
        return (150, 90, 30, 255)  # BGR: blue
    if border:
        return (150, 90, 30, 255)
    return (250, 246, 242, 255)


PALETTE = [(0, 0, 0, 0), (150, 90, 30, 0), (40, 40, 210, 0), (255, 255, 255, 0), (250, 246, 242, 0)]


def image(size):
    colour_row = ((size * 4 + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    xor, and_mask = b"", b""
    for y in range(size - 1, -1, -1):  # bottom-up
        indexes = [PALETTE.index(pixel(size, x, y)[:3] + (0,)) for x in range(size)]
        row = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, size, 2))
        xor += row.ljust(colour_row, b"\0")
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (pixel(size, x, y)[3] == 0)
        and_mask += bits.to_bytes(size // 8, "big").ljust(mask_row, b"\0")
    palette = b"".join(struct.pack("<BBBB", *c) for c in PALETTE).ljust(16 * 4, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(and_mask), 0, 0, 16, 0)
    return header + palette + xor + and_mask


def main(path):
    sizes = [16, 32]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


main(sys.argv[1] if len(sys.argv) > 1 else "res/quellix.ico")
