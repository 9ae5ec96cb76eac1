// A window region cut to the outline of a picture.
#pragma once

#include <windows.h>

// A new region covering every pixel of `bitmap` whose colour lies outside the key range
// (bytes 0, 1, 2 of `keyColor` up to those plus the bytes of `tolerance`, compared with the
// pixel's blue, green and red bytes in that order), or null. The caller owns the region.
// Null also when the bitmap is null, a context or the 32-bit copy cannot be made, or the
// room for the rectangles cannot be allocated or grown.
HRGN BuildBitmapRegion(HBITMAP bitmap, COLORREF keyColor, COLORREF tolerance);
