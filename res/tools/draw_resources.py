#!/usr/bin/env python3
"""Draws the program's icons into res/images.

Run by hand after changing a picture: python3 res/tools/draw_resources.py
The output is committed, so the build needs nothing but the files it writes.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "images")


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


def icon_image(width, height, pixels, bits, opaque):
    """One image of an .ico: its header, palette, colours and AND mask."""
    if bits not in (8, 24, 32):
        raise ValueError("only 8-bit, 24-bit and 32-bit images are drawn here")
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
            elif bits == 32:
                r, g, b, a = color
                row += bytes((b, g, r, a))
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


def png_image(width, height, pixels):
    """One image of an .ico stored as PNG (8-bit RGBA), as Windows reads it since Vista: a
    fraction of the size of its bitmap at 256 pixels."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body)))
    rows = b"".join(b"\0" + b"".join(bytes(color) for color in row) for row in pixels)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


# Images this large go into an icon as PNG; smaller ones as bitmaps, which every version of
# Windows reads.
PNG_FROM = 256


def write_icon(path, images, bits=24, opaque=None, alpha_mask=False):
    """Writes an .ico of `images`, each (width, height, pixels), pixels a list of rows (top
    first) of (r, g, b), or (r, g, b, a) at 32 bits. `opaque(x, y)` tells which pixels the
    AND mask keeps (all by default); with `alpha_mask` those with any alpha. A 32-bit image
    of PNG_FROM pixels or more is stored as PNG."""
    data = []
    for w, h, p in images:
        if bits == 32 and w >= PNG_FROM:
            data.append(png_image(w, h, p))
            continue
        keep = opaque
        if alpha_mask:
            keep = (lambda pixels: lambda x, y: pixels[y][x][3] > 0)(p)
        data.append(icon_image(w, h, p, bits, keep))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (width, height, _), image in zip(images, data):
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                                 len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(directory + b"".join(data))


# The program icon's sizes: what Windows asks for at 100 to 200 % (title bar, taskbar,
# Explorer's views, the About box), so that none is stretched from another.
APP_ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 96, 128, 256)


def card_pixel(u, v):
    """The card on a 32 x 32 grid (any point, not only pixel centres): a blue card with a
    dark magnetic stripe and a light chip; None outside it."""
    left, top, right, bottom, radius = 2, 6, 30, 26, 2.0
    if not (left <= u < right and top <= v < bottom):
        return None
    cx = min(max(u, left + radius), right - radius)
    cy = min(max(v, top + radius), bottom - radius)
    if (u - cx) ** 2 + (v - cy) ** 2 > radius ** 2:
        return None
    if 9 <= v < 14:
        return (30, 30, 60)
    if 17 <= v < 22 and 6 <= u < 12:
        return (235, 200, 90)
    if 19 <= v < 21 and 15 <= u < 27:
        return (200, 215, 240)
    t = (u + v) / 60.0
    return (40 + 40 * t, 90 + 60 * t, 200 + 40 * t)


def app_icon_image(size, samples=4):
    """The card at `size` pixels, 32 bits with alpha: each pixel averages samples x samples
    points, so that its edges are smooth at every size."""
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            total, covered = [0.0, 0.0, 0.0], 0
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) * 32 / size
                    v = (y + (sy + 0.5) / samples) * 32 / size
                    color = card_pixel(u, v)
                    if color is not None:
                        covered += 1
                        total = [t + c for t, c in zip(total, color)]
            if covered == 0:
                row.append((255, 255, 255, 0))
            else:
                r, g, b = (round(t / covered) for t in total)
                row.append((r, g, b, round(255 * covered / samples ** 2)))
        pixels.append(row)
    return size, size, pixels


def app_icon():
    """One image for each of APP_ICON_SIZES, 32 bits a pixel with alpha."""
    images = [app_icon_image(size) for size in APP_ICON_SIZES]
    write_icon(os.path.join(OUT, "app.ico"), images, bits=32, alpha_mask=True)


# The close glyph's icon holds an image for each of these scales; the system scales the
# nearest for other DPIs. (The welcome window's picture and Enter face are drawn by the
# program itself for its DPI: app/welcome_picture.cpp.)
SCALES = (100, 150, 200)


def scaled(size, percent):
    return round(size * percent / 100)


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
    close_icon()


if __name__ == "__main__":
    main()
