#include "app/welcome_layout.h"

namespace {

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

Place PlaceOnPicture(const Place& child, Extent from, Extent to, Extent least) {
    Place placed{
        Stretch(child.left, to.width, from.width), Stretch(child.top, to.height, from.height),
        Stretch(child.right, to.width, from.width), Stretch(child.bottom, to.height, from.height)};
    Grow(placed.left, placed.right, least.width);
    Grow(placed.top, placed.bottom, least.height);
    return placed;
}
