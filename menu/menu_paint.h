// Drawing operations the two menu looks share: solid fills and frames, the check cells and
// their marks, embossed (disabled) images, image-list entries as bitmaps, and the
// off-screen context grayed flat items are drawn through.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/gdi.h"
#include "framework/paint.h"

// The system's menu font. The caller owns it.
fw::Font CreateMenuFont();

// `color` moved toward white by `factor` (menu/menu_colors.h).
COLORREF Blend(COLORREF color, double factor);

// A 7 x 7 check mark with its top-left corner at (x, y).
void DrawTick(HDC dc, int x, int y, COLORREF color);
// A 6 x 6 radio dot.
void DrawDot(HDC dc, int x, int y, COLORREF color);
void DrawClassicCheckBox(HDC dc, const RECT& cell, bool selected, bool radio);
void DrawFlatCheckBox(HDC dc, const RECT& cell, bool radio, COLORREF highlight);

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
