#!/usr/bin/env python3
"""Draws the program's icons and bitmaps into res/images.

Run by hand after changing a picture: python3 res/tools/draw_resources.py
The output is committed, so the build needs nothing but the files it writes.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "images")


# A 5 x 9 bitmap font for the lettering of the pictures: rows top first, '#' is ink.
# Rows 7 and 8 hold the descenders.
GLYPHS = {
    " ": [".....", ".....", ".....", ".....", ".....", ".....", ".....", ".....", "....."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####", ".....", "....."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#....", ".....", "....."],
    "S": [".###.", "#...#", "#....", ".###.", "....#", "#...#", ".###.", ".....", "....."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#", ".....", "....."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####", ".....", "....."],
    "c": [".....", ".....", ".###.", "#....", "#....", "#....", ".###.", ".....", "....."],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####", ".....", "....."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."],
    "g": [".....", ".....", ".####", "#...#", "#...#", ".####", "....#", "#...#", ".###."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###.", ".....", "....."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###.", ".....", "....."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#...#", ".....", "....."],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", ".....", "....."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####.", ".....", "....."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##.", ".....", "....."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#", ".....", "....."],
}
GLYPH_WIDTH = 5
GLYPH_HEIGHT = 9
GLYPH_ADVANCE = 6


def text_width(text, dot):
    return (len(text) * GLYPH_ADVANCE - 1) * dot


def blend(under, over, cover):
    """`over` laid on `under` where `cover` (0 to 1) of the pixel is inked."""
    return tuple(round(u + (o - u) * cover) for u, o in zip(under, over))


def draw_cells(pixels, cells, left, top, dot, color):
    """Inks square cells of `dot` pixels (which need not be whole): cell (cx, cy) covers
    [left + cx * dot, + dot) x [top + cy * dot, + dot). A pixel a cell covers in part takes
    `color` in that part, so that whole dots and offsets draw exactly as before."""
    cover = {}
    for cx, cy in cells:
        x0, y0 = left + cx * dot, top + cy * dot
        for y in range(int(y0), int(-(-(y0 + dot) // 1))):
            for x in range(int(x0), int(-(-(x0 + dot) // 1))):
                w = min(x + 1, x0 + dot) - max(x, x0)
                h = min(y + 1, y0 + dot) - max(y, y0)
                if w > 0 and h > 0:
                    cover[(x, y)] = cover.get((x, y), 0) + w * h
    for (x, y), c in cover.items():
        pixels[y][x] = blend(pixels[y][x], color, min(c, 1.0))


def draw_text(pixels, text, left, top, dot, color):
    """Draws `text` into `pixels` (rows of (r, g, b), top first), `dot` pixels a dot."""
    cells = []
    for index, char in enumerate(text):
        glyph = GLYPHS[char]
        for gy in range(GLYPH_HEIGHT):
            for gx in range(GLYPH_WIDTH):
                if glyph[gy][gx] == "#":
                    cells.append((index * GLYPH_ADVANCE + gx, gy))
    draw_cells(pixels, cells, left, top, dot, color)


def write_bitmap(path, width, height, pixels, bits):
    """Writes a bottom-up BI_RGB .bmp of 24 or 32 bits a pixel from rows of (r, g, b)."""
    size = bits // 8
    row_bytes = (width * size + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r)) + (b"\0" if size == 4 else b"")
        row += b"\0" * (row_bytes - len(row))
        data += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + data)


def icon_image(width, height, pixels, bits, opaque):
    """One image of an .ico: its header, palette, colours and AND mask."""
    if bits not in (8, 24):
        raise ValueError("only 8-bit and 24-bit images are drawn here")
    palette = b""
    if bits == 8:
        colors = sorted({c for row in pixels for c in row})
        if len(colors) > 256:
            raise ValueError("more than 256 colours in an 8-bit image")
        index = {c: i for i, c in enumerate(colors)}
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colors)
        palette += b"\0" * (4 * 256 - len(palette))
    row_bytes = (width * bits // 8 + 3) & ~3
    xor = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for color in pixels[y]:
            if bits == 8:
                row.append(index[color])
            else:
                r, g, b = color
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
                         len(xor) + len(mask), 0, 0, 256 if bits == 8 else 0, 0)
    return header + palette + xor + mask


def write_icon(path, images, bits=24, opaque=None):
    """Writes an .ico of `images`, each (width, height, pixels), pixels a list of rows (top
    first) of (r, g, b). `opaque(x, y)` tells which pixels the AND mask keeps (all by
    default)."""
    data = [icon_image(w, h, p, bits, opaque) for w, h, p in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (width, height, _), image in zip(images, data):
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                                 len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(directory + b"".join(data))


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

    write_icon(os.path.join(OUT, "app.ico"), [(size, size, pixels)], opaque=opaque)


# The welcome window's pictures are drawn at these scales; the program shows the one nearest
# to the display's scaling. The 100 % pictures are the ones the window was designed with.
SCALES = (100, 150, 200)


def scaled(size, percent):
    return round(size * percent / 100)


def suffix(percent):
    return "" if percent == 100 else "-%d" % percent


def welcome_bitmap(percent):
    """454 x 312 at 100 %: slate blue to white, a blue band on top, the welcome text.

    32 bits a pixel at 100 %, 24 at the larger scales, which are only shown."""
    width, height = scaled(454, percent), scaled(312, percent)
    slate, white = (106, 120, 170), (255, 255, 255)
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            t = (x / (width - 1) + y / (height - 1)) / 2
            row.append(tuple(round(s + (w - s) * t) for s, w in zip(slate, white)))
        pixels.append(row)
    for y in range(scaled(6, percent)):
        pixels[y] = [(40, 70, 160)] * width
    grey = (90, 90, 96)
    dot = 2 * percent / 100
    lines = ["Welcome to use magstripecard", "reader Setting Program"]
    top = scaled(110, percent)
    for line in lines:
        draw_text(pixels, line, (width - round(text_width(line, dot))) // 2, top, dot, grey)
        top += round((GLYPH_HEIGHT + 4) * dot)
    # The window is cut to the pure black pixels of this picture: it must have none.
    assert all(p != (0, 0, 0) for row in pixels for p in row)
    write_bitmap(os.path.join(OUT, "welcome%s.bmp" % suffix(percent)), width, height, pixels,
                 32 if percent == 100 else 24)


def enter_bitmap(percent):
    """85 x 21 at 100 %, 24 bits: a blue lozenge with a white "Enter"; its corners pure white."""
    width, height = scaled(85, percent), scaled(21, percent)
    radius = height / 2
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            cx = min(max(x + 0.5, radius), width - radius)
            inside = (x + 0.5 - cx) ** 2 + (y + 0.5 - radius) ** 2 <= radius ** 2
            if not inside:
                row.append((255, 255, 255))  # the key colour: transparent on the button
            else:
                shade = int(30 * y / (height - 1))
                row.append((40, 90 - shade // 2, 200 - shade))
        pixels.append(row)
    # Nearly white, so that the caption is not cut away with the corners.
    dot = percent / 100
    draw_text(pixels, "Enter", (width - text_width("Enter", dot)) / 2, 7 * dot, dot,
              (250, 250, 250))
    assert pixels[height // 2][width // 2] != (255, 255, 255)
    write_bitmap(os.path.join(OUT, "enter%s.bmp" % suffix(percent)), width, height, pixels, 24)


def close_image(percent):
    """21 x 14 at 100 %: a light grey tile with a dark blue X."""
    width, height = scaled(21, percent), scaled(14, percent)
    tile, ink = (212, 210, 206), (20, 30, 120)
    pixels = [[tile] * width for _ in range(height)]
    cells = []
    for y in range(3, 11):
        for dx in (0, 1):
            cells.append((7 + (y - 3) + dx, y))
            cells.append((14 - (y - 3) - dx, y))
    dot = percent / 100
    draw_cells(pixels, set(cells), (width - 21 * dot) / 2, (height - 14 * dot) / 2, dot, ink)
    return width, height, pixels


def close_icon():
    """One icon with an image for each scale, 8 bits a pixel."""
    write_icon(os.path.join(OUT, "close.ico"), [close_image(p) for p in SCALES], bits=8)


def main():
    os.makedirs(OUT, exist_ok=True)
    app_icon()
    for percent in SCALES:
        welcome_bitmap(percent)
        enter_bitmap(percent)
    close_icon()


if __name__ == "__main__":
    main()
