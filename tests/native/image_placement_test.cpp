// Where a picture button puts its image and how much room the caption keeps.
#include <gtest/gtest.h>

#include "controls/image_placement.h"

namespace {

const ButtonBox kItem{0, 0, 100, 40};

bool Same(const ButtonBox& a, const ButtonBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct Placed {
    ButtonBox image;
    ButtonBox caption;
};

Placed Place(int alignment, bool hasCaption, bool shift = false, ButtonBox item = kItem) {
    ButtonBox caption = item;
    const ImagePlacement how{alignment, hasCaption, shift, 100};
    const ButtonBox image = PlaceImage(how, item, caption, 21, 15);
    return {image, caption};
}

TEST(PlaceImage, LeftAlignment) {
    Placed alone = Place(ImageLeft, false);
    EXPECT_TRUE(Same(alone.image, {39, 12, 100, 40}));
    EXPECT_TRUE(Same(alone.caption, kItem));
    Placed beside = Place(ImageLeft, true);
    EXPECT_TRUE(Same(beside.image, {3, 12, 100, 40}));
    EXPECT_TRUE(Same(beside.caption, {24, 0, 100, 40}));
}

TEST(PlaceImage, AboveAlignment) {
    Placed alone = Place(ImageAbove, false);
    EXPECT_TRUE(Same(alone.image, {39, 12, 100, 40}));
    EXPECT_TRUE(Same(alone.caption, kItem));
    // With a caption the top is 3 from the button's edge, not from the item's.
    Placed over = Place(ImageAbove, true, false, {0, 10, 100, 40});
    EXPECT_TRUE(Same(over.image, {39, 3, 100, 40}));
    EXPECT_TRUE(Same(over.caption, {0, 25, 100, 40}));
}

TEST(PlaceImage, RightAlignment) {
    // Without a caption: centred horizontally only, left at the top edge.
    Placed alone = Place(ImageRight, false);
    EXPECT_TRUE(Same(alone.image, {39, 0, 100, 40}));
    EXPECT_TRUE(Same(alone.caption, kItem));
    Placed beside = Place(ImageRight, true);
    EXPECT_TRUE(Same(beside.image, {76, 12, 100, 40}));
    EXPECT_TRUE(Same(beside.caption, {3, 0, 76, 40}));
}

TEST(PlaceImage, OtherAlignmentKeepsTheItemRectangle) {
    Placed other = Place(7, true);
    EXPECT_TRUE(Same(other.image, kItem));
    EXPECT_TRUE(Same(other.caption, kItem));
}

TEST(PlaceImage, PressedShiftsTheImageOnePixel) {
    EXPECT_TRUE(Same(Place(ImageLeft, false, true).image, {40, 13, 101, 41}));
    EXPECT_TRUE(Same(Place(ImageAbove, true, true).image, {40, 4, 101, 41}));
    EXPECT_TRUE(Same(Place(ImageRight, true, true).caption, {3, 0, 76, 40}));
}

TEST(PlaceImage, ImageLargerThanTheItemMovesLeftAndUp) {
    // Divisions truncate toward zero: (10 - 21) / 2 is -5, not -6.
    Placed big = Place(ImageLeft, false, false, {0, 0, 10, 10});
    EXPECT_TRUE(Same(big.image, {-5, -2, 10, 10}));
}

}  // namespace
