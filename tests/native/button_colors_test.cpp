// Colour slots of the picture button and the grey level of grey icons.
#include <gtest/gtest.h>

#include "controls/button_colors.h"

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

TEST(ButtonColors, ShiftKeepsTheHueByOneCommonOffsetAndRejectsBadArguments) {
    const struct {
        std::uint32_t color;
        int shade;
        std::uint32_t shifted;
    } cases[] = {
        {Rgb(100, 200, 50), -255, Rgb(50, 150, 0)},    {Rgb(10, 250, 100), 30, Rgb(15, 255, 105)},
        {Rgb(236, 233, 216), 30, Rgb(255, 252, 235)},  {Rgb(200, 10, 10), 56, Rgb(255, 65, 65)},
        {Rgb(20, 30, 40), 0, Rgb(20, 30, 40)},         {Rgb(20, 30, 40), -10, Rgb(10, 20, 30)},
        {0xFF000000u | Rgb(1, 2, 3), 1, Rgb(2, 3, 4)},  // the top byte is dropped
    };
    for (int slot = ActiveFace; slot < ColorSlotCount; ++slot) {
        for (const auto& c : cases) {
            ButtonColors colors;
            colors.Reset(Rgb(7, 7, 7), Rgb(9, 9, 9));
            colors.Set(slot, c.color);
            EXPECT_EQ(
                colors.Shift(static_cast<std::uint8_t>(slot), static_cast<std::int16_t>(c.shade)),
                ButtonOk);
            EXPECT_EQ(colors[slot], c.shifted) << slot << " " << c.shade;
            const int other = (slot + 1) % ColorSlotCount;  // untouched
            EXPECT_EQ(colors[other], other % 2 ? Rgb(9, 9, 9) : Rgb(7, 7, 7));
        }
    }
    ButtonColors colors;
    colors.Reset(Rgb(100, 200, 50), 0);
    EXPECT_EQ(colors.Shift(6, 10), ButtonBadColorIndex);
    EXPECT_EQ(colors.Shift(0, 256), ButtonBadShade);
    EXPECT_EQ(colors.Shift(0, -256), ButtonBadShade);
    EXPECT_EQ(colors[ActiveFace], Rgb(100, 200, 50));
}

TEST(GreyLevel, WeighsRedGreenBlue) {
    const std::pair<std::uint32_t, int> cases[] = {
        {Rgb(0, 0, 0), 0},
        {Rgb(255, 0, 0), 76},
        {Rgb(0, 255, 0), 149},
        {Rgb(0, 0, 255), 29},
        {Rgb(100, 100, 100), 99},
        {Rgb(255, 255, 255), 254},  // the weights add up to a hair under one
        {0xFF000000u | Rgb(10, 20, 30), 18},
    };
    for (const auto& [color, level] : cases)
        EXPECT_EQ(GreyLevel(color), level) << std::hex << color;
}

}  // namespace
