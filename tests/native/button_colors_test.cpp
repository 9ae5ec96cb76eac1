// Colour slots of the picture button and the grey level of grey icons.
#include <gtest/gtest.h>

#include "controls/button_colors.h"

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

TEST(ButtonColors, ResetFillsFacesAndTexts) {
    ButtonColors colors;
    colors.Reset(Rgb(1, 2, 3), Rgb(4, 5, 6));
    for (int slot : {ActiveFace, IdleFace, FocusFace})
        EXPECT_EQ(colors[slot], Rgb(1, 2, 3));
    for (int slot : {ActiveText, IdleText, FocusText})
        EXPECT_EQ(colors[slot], Rgb(4, 5, 6));
}

TEST(ButtonColors, ShiftRejectsBadSlotAndShadeWithoutChange) {
    ButtonColors colors;
    colors.Reset(Rgb(100, 200, 50), 0);
    EXPECT_EQ(colors.Shift(6, 10), ButtonBadColorIndex);
    EXPECT_EQ(colors.Shift(0, 256), ButtonBadShade);
    EXPECT_EQ(colors.Shift(0, -256), ButtonBadShade);
    EXPECT_EQ(colors[ActiveFace], Rgb(100, 200, 50));
}

TEST(ButtonColors, ShiftKeepsTheHueByOneCommonOffset) {
    ButtonColors colors;
    colors.Reset(Rgb(100, 200, 50), 0);
    EXPECT_EQ(colors.Shift(ActiveFace, -255), ButtonOk);
    EXPECT_EQ(colors[ActiveFace], Rgb(50, 150, 0));

    colors.Set(ActiveFace, Rgb(10, 250, 100));
    EXPECT_EQ(colors.Shift(ActiveFace, 30), ButtonOk);
    EXPECT_EQ(colors[ActiveFace], Rgb(15, 255, 105));

    colors.Set(IdleFace, Rgb(236, 233, 216));
    colors.Shift(IdleFace, 30);
    EXPECT_EQ(colors[IdleFace], Rgb(255, 252, 235));
    colors.Set(IdleFace, Rgb(200, 10, 10));  // one past the top is cut as well
    colors.Shift(IdleFace, 56);
    EXPECT_EQ(colors[IdleFace], Rgb(255, 65, 65));

    colors.Set(FocusText, Rgb(20, 30, 40));
    colors.Shift(FocusText, 0);
    EXPECT_EQ(colors[FocusText], Rgb(20, 30, 40));
    colors.Shift(FocusText, -10);
    EXPECT_EQ(colors[FocusText], Rgb(10, 20, 30));
    EXPECT_EQ(colors[ActiveFace], Rgb(15, 255, 105));  // other slots untouched
}

TEST(ButtonColors, ShiftDropsTheTopByte) {
    ButtonColors colors;
    colors.Set(ActiveFace, 0xFF000000u | Rgb(1, 2, 3));
    colors.Shift(ActiveFace, 1);
    EXPECT_EQ(colors[ActiveFace], Rgb(2, 3, 4));
}

TEST(GreyLevel, WeighsRedGreenBlue) {
    EXPECT_EQ(GreyLevel(Rgb(0, 0, 0)), 0);
    EXPECT_EQ(GreyLevel(Rgb(255, 0, 0)), 76);   // 76.245
    EXPECT_EQ(GreyLevel(Rgb(0, 255, 0)), 149);  // 149.685
    EXPECT_EQ(GreyLevel(Rgb(0, 0, 255)), 29);   // 29.07
    EXPECT_EQ(GreyLevel(Rgb(100, 100, 100)), 99);
    // The three weights add up to a hair under one: white turns 254.
    EXPECT_EQ(GreyLevel(Rgb(255, 255, 255)), 254);
    EXPECT_EQ(GreyLevel(0xFF000000u | Rgb(10, 20, 30)), GreyLevel(Rgb(10, 20, 30)));
}

}  // namespace
