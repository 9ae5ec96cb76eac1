// The six colour slots of a picture button, the results of its setters, and the grey
// level used for grey icons. No window code: tested natively.
#pragma once

#include <array>
#include <cstdint>

enum ButtonResult {
    ButtonOk = 0,
    ButtonBadImage = 1,
    ButtonMaskFailed = 2,
    ButtonBadColorIndex = 3,
    ButtonBadShade = 5,
};

enum ColorSlot {
    ActiveFace = 0,
    ActiveText = 1,
    IdleFace = 2,
    IdleText = 3,
    FocusFace = 4,
    FocusText = 5,
    ColorSlotCount = 6,
};

// Colour values are 0x00BBGGRR.
class ButtonColors {
public:
    void Reset(std::uint32_t face, std::uint32_t text);
    std::uint32_t operator[](int slot) const { return values_[slot]; }
    void Set(int slot, std::uint32_t color) { values_[slot] = color; }
    // Lightens (shade > 0) or darkens the slot by one offset for all three channels, as far
    // as the channel nearest its limit allows, so that the hue stays.
    ButtonResult Shift(std::uint8_t slot, std::int16_t shade);

private:
    std::array<std::uint32_t, ColorSlotCount> values_{};
};

// (G x 0.587 + B x 0.114) + R x 0.299 in extended precision, truncated; R is byte 0.
std::uint8_t GreyLevel(std::uint32_t color);
