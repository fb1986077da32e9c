#!/usr/bin/env python3
"""Writes varn.ico: one 48 x 41 image, 32 bits per pixel, of a barcode label
crossed by a red scanning line. Standard library only.

    python3 res/make_icon.py res/varn.ico
"""
import struct
import sys

WIDTH, HEIGHT = 48, 41

CLEAR = (0, 0, 0, 0)
PAPER = (255, 255, 255, 255)
EDGE = (96, 96, 96, 255)
INK = (24, 24, 24, 255)
LASER = (230, 20, 20, 255)
GLOW = (230, 20, 20, 110)

# Bar widths of the barcode, alternating bar and gap, left to right.
BARS = [2, 1, 1, 1, 3, 1, 1, 2, 2, 1, 1, 1, 3, 2, 1, 1, 2, 1, 1]


def picture():
    """Rows top to bottom, each a list of (r, g, b, a)."""
    pixels = [[CLEAR] * WIDTH for _ in range(HEIGHT)]
    left, top, right, bottom = 3, 5, 44, 35  # the label, inclusive
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            corner = (x in (left, right)) and (y in (top, bottom))
            if corner:
                continue
            border = x in (left, right) or y in (top, bottom)
            pixels[y][x] = EDGE if border else PAPER
    x = left + 1 + (right - left - 1 - sum(BARS)) // 2  # centred on the label
    for i, width in enumerate(BARS):
        if i % 2 == 0:
            for bx in range(x, x + width):
                for y in range(top + 4, bottom - 3):
                    pixels[y][bx] = INK
        x += width
    scan_y = (top + bottom) // 2
    for x in range(1, WIDTH - 1):
        pixels[scan_y][x] = LASER
        for y in (scan_y - 1, scan_y + 1):
            if pixels[y][x][3] == 0:
                pixels[y][x] = GLOW
            else:
                r, g, b, _ = pixels[y][x]
                pixels[y][x] = ((r + 230) // 2, (g + 20) // 2, (b + 20) // 2, 255)
    return pixels


def ico(pixels):
    color = bytearray()
    for row in reversed(pixels):  # DIBs are stored bottom-up
        for r, g, b, a in row:
            color += bytes((b, g, r, a))
    mask_stride = ((WIDTH + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:  # transparent where the alpha channel is not used
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT * 2, 1, 32, 0,
                         len(color) + len(mask), 0, 0, 0, 0)
    image = header + color + mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', WIDTH, HEIGHT, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'varn.ico'
    with open(out, 'wb') as f:
        f.write(ico(picture()))


if __name__ == '__main__':
    main()
