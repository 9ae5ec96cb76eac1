// Where the welcome window's buttons sit on its picture at any display scaling. No window
// code: tested natively.
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

// `child` of a window whose client area is `from`, moved and stretched with the window to a
// client area of `to` (to the nearest pixel), then grown around its centre to at least
// `least`, the size of what it shows.
Place PlaceOnPicture(const Place& child, Extent from, Extent to, Extent least);
