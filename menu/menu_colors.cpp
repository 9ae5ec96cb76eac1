#include "menu/menu_colors.h"

namespace {
std::uint32_t BlendChannel(std::uint32_t value, double factor) {
    return static_cast<std::uint32_t>(value + factor * (255.0 - value));
}
}  // namespace

std::uint32_t BlendTowardWhite(std::uint32_t color, double factor) {
    if (factor <= 0 || factor > 1)
        return color;
    const std::uint32_t red = BlendChannel(color & 0xFF, factor);
    const std::uint32_t green = BlendChannel((color >> 8) & 0xFF, factor);
    const std::uint32_t blue = BlendChannel((color >> 16) & 0xFF, factor);
    return red | (green << 8) | (blue << 16);
}
