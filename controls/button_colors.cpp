#include "controls/button_colors.h"

#include <algorithm>

void ButtonColors::Reset(std::uint32_t face, std::uint32_t text) {
    for (int slot : {ActiveFace, IdleFace, FocusFace})
        values_[slot] = face;
    for (int slot : {ActiveText, IdleText, FocusText})
        values_[slot] = text;
}

ButtonResult ButtonColors::Shift(std::uint8_t slot, std::int16_t shade) {
    if (slot >= ColorSlotCount)
        return ButtonBadColorIndex;
    if (shade < -255 || shade > 255)
        return ButtonBadShade;
    int channels[3];
    for (int i = 0; i < 3; ++i)
        channels[i] = (values_[slot] >> (8 * i)) & 0xFF;

    int offset = shade;
    for (int channel : channels) {
        if (shade > 0 && channel + shade > 255)
            offset = std::min(offset, 255 - channel);
        if (shade <= 0 && channel + shade < 0)
            offset = std::max(offset, -channel);
    }
    std::uint32_t shifted = 0;
    for (int i = 0; i < 3; ++i)
        shifted |= static_cast<std::uint32_t>(channels[i] + offset) << (8 * i);
    values_[slot] = shifted;
    return ButtonOk;
}

std::uint8_t GreyLevel(std::uint32_t color) {
    // The weights are double constants taken into extended precision, so that pure white
    // comes out as 254: the sum of the three weights is a hair under one.
    const long double r = color & 0xFF;
    const long double g = (color >> 8) & 0xFF;
    const long double b = (color >> 16) & 0xFF;
    const long double grey =
        (g * static_cast<long double>(0.587) + b * static_cast<long double>(0.114)) +
        r * static_cast<long double>(0.299);
    return static_cast<std::uint8_t>(grey);
}
