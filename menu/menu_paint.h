// Drawing operations the two menu looks share: solid fills and frames, the check cells and
// their marks, embossed (disabled) images, image-list entries as bitmaps, and the
// off-screen context grayed flat items are drawn through.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/display.h"
#include "framework/gdi.h"
#include "framework/paint.h"

// `color` moved toward white by `factor` (menu/menu_colors.h); under high contrast the
// system's colour as it is.
COLORREF Blend(COLORREF color, double factor);

// A check mark 7 x 7 pixels at 96 DPI, scaled to `dpi`, with its top-left corner at (x, y).
void DrawTick(HDC dc, int x, int y, COLORREF color, UINT dpi);
// A radio dot, 6 x 6 pixels at 96 DPI.
void DrawDot(HDC dc, int x, int y, COLORREF color, UINT dpi);
void DrawClassicCheckBox(HDC dc, const RECT& cell, bool selected, bool radio, UINT dpi);
void DrawFlatCheckBox(HDC dc, const RECT& cell, bool radio, COLORREF highlight, UINT dpi);

// Paints the image of `bitmap` at (sx, sy) as disabled: its silhouette (every pixel neither
// button face nor highlight) in the shadow colour, with a highlight copy one pixel to the
// lower right, on `background`. The bitmap is overwritten.
void DrawEmbossedImage(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int sx, int sy,
                       COLORREF background);
// Entry `index` of `list` painted over the button face, as a new width x height bitmap
// compatible with `dc`.
fw::Bitmap ImageToBitmap(HDC dc, HIMAGELIST list, int index, int width, int height);

// Stands in for a target device context while one item is drawn: drawing goes to a
// compatible bitmap of the item's size, in the target's coordinates, and reaches the
// target in one copy when this ends. Printing contexts are drawn on directly.
class OffscreenDc {
public:
    OffscreenDc(HDC target, const RECT& rect);
    ~OffscreenDc();
    OffscreenDc(const OffscreenDc&) = delete;
    OffscreenDc& operator=(const OffscreenDc&) = delete;
    HDC get() const { return memory_ ? memory_.get() : target_; }

private:
    HDC target_;
    RECT rect_;
    fw::MemoryDc memory_;
    fw::Bitmap bitmap_;
    HGDIOBJ displaced_ = nullptr;
};
