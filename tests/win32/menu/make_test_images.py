#!/usr/bin/env python3
"""Draws the bitmap strips of the menu test program (run by hand; the output is committed).

strip16.bmp: 4 bits per pixel, three 16 x 15 pictures on light grey, each a coloured square
with a black pixel at its corner and a dark grey pixel beside it (grey and black are the
standard toolbar colours that loading maps to the system colours).
plain256.bmp: 8 bits per pixel, one 16 x 15 picture of the same kind.
core16.bmp: 4 bits per pixel, the blue picture, with the 12-byte core header of older bitmaps
(3-byte palette entries).
"""
import struct

PALETTE16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
             (0, 128, 128), (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0),
             (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK_GREY, LIGHT_GREY = 0, 7, 8
SQUARES = [9, 12, 10]  # red, blue, green


def picture(colour):
    rows = [[LIGHT_GREY] * 16 for _ in range(15)]
    for y in range(3, 12):
        for x in range(3, 13):
            rows[y][x] = colour
    rows[3][3] = BLACK
    rows[3][4] = DARK_GREY
    return rows


def write_bmp(path, width, rows, bits, palette, core=False):
    height = len(rows)
    stride = ((width * bits + 31) // 32) * 4
    data = b""
    for row in reversed(rows):
        if bits == 4:
            line = bytes((row[i] << 4) | row[i + 1] for i in range(0, width, 2))
        else:
            line = bytes(row)
        data += line + b"\0" * (stride - len(line))
    entry = "<BBB" if core else "<BBBB"
    table = b"".join(struct.pack(entry, b, g, r, *([] if core else [0])) for r, g, b in palette)
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 0, 0,
                           len(palette), 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + table + data)


strip = [sum((picture(c)[y] for c in SQUARES), []) for y in range(15)]
write_bmp("strip16.bmp", 48, strip, 4, PALETTE16)
write_bmp("plain256.bmp", 16, picture(9), 8, PALETTE16 + [(0, 0, 0)] * 240)
write_bmp("core16.bmp", 16, picture(12), 4, PALETTE16, core=True)
