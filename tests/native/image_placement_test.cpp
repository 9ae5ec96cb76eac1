// Where a picture button puts its image and how much room the caption keeps; where a
// minimised window puts its icon.
#include <gtest/gtest.h>

#include <array>

#include "app/icon_placement.h"
#include "controls/image_placement.h"

namespace {

bool Same(const ButtonBox& a, const ButtonBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PlaceImage, EachAlignmentWithAndWithoutCaption) {
    // A 21 x 15 image in a 100-wide button; the item is 100 x 40 unless said otherwise.
    const struct {
        int alignment;
        bool caption, shift;
        ButtonBox item, image, room;
    } cases[] = {
        {ImageLeft, false, false, {0, 0, 100, 40}, {39, 12, 100, 40}, {0, 0, 100, 40}},
        {ImageLeft, true, false, {0, 0, 100, 40}, {3, 12, 100, 40}, {24, 0, 100, 40}},
        {ImageAbove, false, false, {0, 0, 100, 40}, {39, 12, 100, 40}, {0, 0, 100, 40}},
        // with a caption the top is 3 from the button's edge, not from the item's
        {ImageAbove, true, false, {0, 10, 100, 40}, {39, 3, 100, 40}, {0, 25, 100, 40}},
        {ImageRight, false, false, {0, 0, 100, 40}, {39, 0, 100, 40}, {0, 0, 100, 40}},
        {ImageRight, true, false, {0, 0, 100, 40}, {76, 12, 100, 40}, {3, 0, 76, 40}},
        {7, true, false, {0, 0, 100, 40}, {0, 0, 100, 40}, {0, 0, 100, 40}},
        // pressed: the image moves one pixel, the caption stays
        {ImageLeft, false, true, {0, 0, 100, 40}, {40, 13, 101, 41}, {0, 0, 100, 40}},
        {ImageAbove, true, true, {0, 0, 100, 40}, {40, 4, 101, 41}, {0, 15, 100, 40}},
        {ImageRight, true, true, {0, 0, 100, 40}, {77, 13, 101, 41}, {3, 0, 76, 40}},
        // larger than the item: (10 - 21) / 2 truncates to -5, not -6
        {ImageLeft, false, false, {0, 0, 10, 10}, {-5, -2, 10, 10}, {0, 0, 10, 10}},
    };
    for (const auto& c : cases) {
        ButtonBox caption = c.item;
        const ButtonBox image =
            PlaceImage({c.alignment, c.caption, c.shift, 100}, c.item, caption, 21, 15);
        EXPECT_TRUE(Same(image, c.image)) << c.alignment << c.caption << c.shift;
        EXPECT_TRUE(Same(caption, c.room)) << c.alignment << c.caption << c.shift;
    }
}

TEST(IconPlacement, CentredAndAnOddPixelGoesToTheRightAndBottom) {
    for (const auto [width, height, x, y] : {std::array{37, 36, 3, 2}, std::array{36, 37, 2, 3}}) {
        const IconOrigin origin = CentredIconOrigin(width, height, 32, 32);
        EXPECT_TRUE(origin.x == x && origin.y == y) << width << "x" << height;
    }
}

}  // namespace
