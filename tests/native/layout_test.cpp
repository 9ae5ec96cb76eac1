// Layout without windows: the welcome picture drawn for a DPI and where its buttons go, and
// controls growing to their captions with what follows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include <string>
#include <vector>

#include "app/welcome_layout.h"
#include "app/welcome_picture.h"
#include "framework/grow_layout.h"

namespace {

// The welcome picture at a DPI: exactly the window's scale, no pure black (the window would
// lose those pixels), its text inked at every scale.
TEST(WelcomePicture, DrawnAtTheWindowsOwnScale) {
    // The 579 dots of the two lines of lettering, each 2 x 2 pixels at 96 DPI.
    const double kInkAt96 = 4.0 * 579;
    const struct {
        unsigned dpi;
        long width, height;  // the background
        long enterWidth, enterHeight;
    } cases[] = {
        {96, 454, 312, 85, 21},   {120, 568, 390, 106, 26}, {144, 681, 468, 128, 32},
        {168, 795, 546, 149, 37}, {192, 908, 624, 170, 42}, {240, 1135, 780, 213, 53},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " DPI");
        const Drawing welcome = DrawWelcome(c.dpi);
        EXPECT_EQ(welcome.width, c.width);
        EXPECT_EQ(welcome.height, c.height);
        EXPECT_EQ(welcome.pixels.size(), static_cast<std::size_t>(c.width * c.height));
        EXPECT_EQ(std::count(welcome.pixels.begin(), welcome.pixels.end(), 0u), 0);
        // The band on top, the slate corner under it, white at the far corner.
        EXPECT_EQ(welcome.pixels[0], 0x2846A0u);
        EXPECT_EQ(welcome.pixels.back(), 0xFFFFFFu);
        // The lettering's grey ink (blue 96, on a background of blue 170 and more, about 210
        // where the text is; the band's is 160): pixels more than half inked, in proportion
        // to the area.
        const auto inked = std::count_if(welcome.pixels.begin(), welcome.pixels.end(),
                                         [](std::uint32_t pixel) { return (pixel & 0xFF) < 150; });
        const double perArea = static_cast<double>(inked) / (c.dpi * c.dpi);
        // Between whole and half scales, dots cover pixels in part: fewer are over half inked.
        EXPECT_GT(perArea, 0.85 * kInkAt96 / (96.0 * 96.0)) << inked;
        EXPECT_LT(perArea, 1.01 * kInkAt96 / (96.0 * 96.0)) << inked;

        const Drawing enter = DrawEnter(c.dpi);
        EXPECT_EQ(enter.width, c.enterWidth);
        EXPECT_EQ(enter.height, c.enterHeight);
        EXPECT_EQ(enter.pixels.front(), kEnterKey);  // the corners: not painted
        EXPECT_EQ(enter.pixels.back(), kEnterKey);
        const std::uint32_t middle =
            enter
                .pixels[static_cast<std::size_t>(enter.height / 2 * enter.width + enter.width / 2)];
        EXPECT_NE(middle, kEnterKey);
        EXPECT_EQ(std::count(enter.pixels.begin(), enter.pixels.end(), 0u), 0);
    }
    EXPECT_TRUE(DrawWelcome(0).pixels.empty());
}

std::string Text(long left, long top, long right, long bottom) {
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
           std::to_string(bottom);
}

TEST(WelcomeLayout, ButtonsStretchWithTheWindowAndHoldTheirPicture) {
    const struct {
        const char* name;
        Place child;
        Extent from, to, least;
        const char* placed;
    } cases[] = {
        {"stretched", {10, 20, 30, 40}, {100, 100}, {150, 200}, {0, 0}, "15,40,45,80"},
        {"to the nearest pixel", {1, 1, 2, 2}, {3, 3}, {4, 4}, {0, 0}, "1,1,3,3"},
        {"grown around its centre", {10, 10, 20, 20}, {1, 1}, {1, 1}, {14, 13}, "8,9,22,22"},
        {"large enough: kept", {10, 10, 20, 20}, {1, 1}, {1, 1}, {9, 10}, "10,10,20,20"},
        {"one pixel short", {10, 10, 20, 20}, {1, 1}, {1, 1}, {11, 10}, "10,10,21,20"},
    };
    for (const auto& c : cases) {
        const Place p = PlaceOnPicture(c.child, c.from, c.to, c.least);
        EXPECT_EQ(Text(p.left, p.top, p.right, p.bottom), c.placed) << c.name;
    }
}

LayoutBox Frame(long left, long top, long right, long bottom) {
    LayoutBox box{left, top, right, bottom};
    box.frame = true;
    return box;
}
LayoutBox Needs(long left, long top, long right, long bottom, long need, bool growsLeft = false) {
    LayoutBox box{left, top, right, bottom, need};
    box.growsLeft = growsLeft;
    return box;
}

TEST(GrowToFit, AGrownControlMovesWhatFollowsItAndItsFrameKeepsItsMargins) {
    const struct {
        const char* name;
        std::vector<LayoutBox> boxes;
        long clientWidth;
        std::vector<std::string> grown;
        long wider;
    } cases[] = {
        {"large enough: nothing moves", {Needs(0, 0, 50, 10, 40)}, 100, {"0,0,50,10"}, 0},
        {"what follows in its row moves",
         {Needs(0, 0, 50, 10, 70), {60, 0, 80, 10}},
         100,
         {"0,0,70,10", "80,0,100,10"},
         20},
        {"not what touches it above or below; what reached right still does",
         {{0, 40, 79, 50},
          Needs(0, 10, 50, 20, 70),
          {60, 10, 80, 20},
          {60, 20, 70, 30},
          {60, 0, 70, 10}},
         100,
         {"0,40,99,50", "0,10,70,20", "80,10,100,20", "60,20,70,30", "60,0,70,10"},
         20},
        {"a frame grows with what it holds, also where it sticks out by the slack",
         {Needs(10, -2, 90, 22, 100), Frame(0, 0, 100, 20), {150, 40, 190, 50}},
         200,
         {"10,-2,110,22", "0,0,120,20", "150,40,210,50"},
         20},
        {"its frame grows and pushes the frame beside it",
         {Frame(0, 0, 100, 50),
          Needs(10, 10, 90, 20, 100),
          Frame(110, 0, 150, 50),
          {115, 10, 145, 20}},
         160,
         {"0,0,120,50", "10,10,110,20", "130,0,170,50", "135,10,165,20"},
         20},
        {"right-aligned text takes the room on its left first",
         {Frame(0, 0, 100, 30), Needs(40, 10, 70, 20, 60, true), {72, 10, 90, 20}},
         100,
         {"0,0,100,30", "10,10,70,20", "72,10,90,20"},
         0},
        {"then grows right",
         {Frame(0, 0, 100, 30), Needs(10, 10, 70, 20, 80, true), {72, 10, 90, 20}},
         100,
         {"0,0,112,30", "2,10,82,20", "84,10,102,20"},
         12},
        {"right-aligned, one pixel short, alone: to the client's left side",
         {Needs(5, 0, 20, 10, 16, true), Needs(1, 20, 20, 30, 30, true)},
         100,
         {"4,0,30,10", "0,20,30,30"},
         10},
        {"a column keeps one width",
         {Needs(0, 0, 50, 10, 60), {0, 20, 50, 30}, {70, 40, 90, 50}},
         100,
         {"0,0,60,10", "0,20,60,30", "70,40,100,50"},
         10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LayoutBox> boxes = c.boxes;
        EXPECT_EQ(GrowToFit(boxes, c.clientWidth, 2), c.wider);
        for (std::size_t i = 0; i < boxes.size(); ++i)
            EXPECT_EQ(Text(boxes[i].left, boxes[i].top, boxes[i].right, boxes[i].bottom),
                      c.grown[i])
                << "box " << i;
    }
}

}  // namespace
