// Where the welcome window's parts go at any display scaling: which of its pictures it shows,
// and where its buttons sit on that picture. No window code: tested natively.
#pragma once

#include <cstddef>

struct Extent {
    long width;
    long height;
};
struct Place {
    long left;
    long top;
    long right;
    long bottom;
};

// The scales, in percent, at which the welcome window's pictures are drawn.
constexpr int kPictureScales[] = {100, 150, 200};
constexpr std::size_t kPictureScaleCount = sizeof(kPictureScales) / sizeof(kPictureScales[0]);

// The index in kPictureScales of the scale nearest to `dpi` (96 DPI is 100 %); one halfway
// between two takes the larger, so that the picture's text is never smaller than the rest.
std::size_t NearestPictureScale(unsigned dpi);

// `child` of a window whose client area is `from`, moved and stretched with the window to a
// client area of `to` (to the nearest pixel), then grown around its centre to at least
// `least`, the size of what it shows.
Place PlaceOnPicture(const Place& child, Extent from, Extent to, Extent least);
