#!/usr/bin/env python3
"""Draws the program's icons and bitmaps into res/images.

Run by hand after changing a picture: python3 res/tools/draw_resources.py
The output is committed, so the build needs nothing but the files it writes.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "images")


def write_icon(path, width, height, pixels, bits=24, opaque=None):
    """Writes a one-image .ico. `pixels` is a list of rows (top first) of (r, g, b).

    `opaque(x, y)` tells which pixels the AND mask keeps (all by default).
    """
    if bits != 24:
        raise ValueError("only 24-bit images are drawn here")
    row_bytes = (width * 3 + 3) & ~3
    xor = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        xor += row
    mask_row = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(height)):
        row = bytearray(mask_row)
        for x in range(width):
            if opaque is not None and not opaque(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                        len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def app_icon():
    """32 x 32: a blue card with a dark magnetic stripe and a light chip."""
    size = 32
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            inside = 2 <= x <= 29 and 6 <= y <= 25
            corner = (x in (2, 29)) and (y in (6, 25))
            if not inside or corner:
                row.append((255, 255, 255))
            elif 9 <= y <= 13:
                row.append((30, 30, 60))
            elif 17 <= y <= 21 and 6 <= x <= 11:
                row.append((235, 200, 90))
            elif 19 <= y <= 20 and 15 <= x <= 26:
                row.append((200, 215, 240))
            else:
                t = (x + y) / 60.0
                row.append((int(40 + 40 * t), int(90 + 60 * t), int(200 + 40 * t)))
        pixels.append(row)

    def opaque(x, y):
        return 2 <= x <= 29 and 6 <= y <= 25 and not ((x in (2, 29)) and (y in (6, 25)))

    write_icon(os.path.join(OUT, "app.ico"), size, size, pixels, opaque=opaque)


def main():
    os.makedirs(OUT, exist_ok=True)
    app_icon()


if __name__ == "__main__":
    main()
