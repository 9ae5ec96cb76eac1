#include "app/welcome_layout.h"

namespace {

long Abs(long value) {
    return value < 0 ? -value : value;
}

// value * to / from, to the nearest whole number (values and sizes are not negative).
long Stretch(long value, long to, long from) {
    const long long product = static_cast<long long>(value) * to;
    return static_cast<long>((product + from / 2) / from);
}

// Widens [low, high) around its middle to at least `least`.
void Grow(long& low, long& high, long least) {
    const long missing = least - (high - low);
    if (missing <= 0)
        return;
    low -= missing / 2;
    high = low + least;
}

}  // namespace

std::size_t NearestPictureScale(unsigned dpi) {
    // Percent against DPI: a scale of p % is p x 96 / 100 DPI.
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < kPictureScaleCount; ++i) {
        const long distance = Abs(kPictureScales[i] * 96L - static_cast<long>(dpi) * 100);
        const long best = Abs(kPictureScales[nearest] * 96L - static_cast<long>(dpi) * 100);
        if (distance <= best)
            nearest = i;
    }
    return nearest;
}

Place PlaceOnPicture(const Place& child, Extent from, Extent to, Extent least) {
    Place placed{
        Stretch(child.left, to.width, from.width), Stretch(child.top, to.height, from.height),
        Stretch(child.right, to.width, from.width), Stretch(child.bottom, to.height, from.height)};
    Grow(placed.left, placed.right, least.width);
    Grow(placed.top, placed.bottom, least.height);
    return placed;
}
