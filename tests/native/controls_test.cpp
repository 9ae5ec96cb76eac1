// The controls' pure parts: the run scan behind the welcome window's region, the picture
// button's colour slots and grey level, and where it puts its image and caption.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/button_colors.h"
#include "controls/image_placement.h"
#include "controls/region_scan.h"

namespace {

// How an image is placed: alignment, whether there is a caption, whether pressed; the margin
// and the pressed shift of 96 DPI unless said otherwise.
struct ImageSpot {
    int alignment;
    bool hasCaption, pressed;
    long margin = 3, shift = 1;
};

const auto Text = [](const auto& r) {
    const auto n = [](int v) { return std::to_string(v); };
    return "(" + n(r.left) + "," + n(r.top) + "," + n(r.right) + "," + n(r.bottom) + ")";
};

// Keeps the rectangles in a vector that grows as asked, and records each batch.
struct RecordingSink : RunSink {
    RunRect* Grow(std::size_t capacity) override {
        room.resize(capacity);
        return capacity > failAbove ? nullptr : room.data();
    }
    bool Flush(std::size_t count, const RunRect& bound, std::size_t) override {
        sizes.push_back(count);
        bounds += Text(bound);
        for (std::size_t i = 0; i < count; ++i)
            rects += Text(room[i]);
        return sizes.size() != refuseAt;
    }
    std::vector<RunRect> room;
    std::vector<std::size_t> sizes;
    std::string rects, bounds;
    std::size_t failAbove = SIZE_MAX, refuseAt = 0;  // refuses batch `refuseAt` (1 the first)
};

// Scans rows given top first ('#' opaque, '.' black, the key); when `bottomUp`, they are
// stored last row first in memory.
bool Scan(const std::vector<std::string>& rows, RecordingSink& sink, bool bottomUp = false) {
    const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
    std::vector<std::uint32_t> memory;
    for (int y = 0; y < height; ++y)
        for (char c : rows[bottomUp ? height - 1 - y : y])
            memory.push_back(c == '#' ? 0x336699 : 0);
    const auto* first = reinterpret_cast<const std::uint8_t*>(memory.data());
    const std::ptrdiff_t step = 4 * width;
    const PixelRows pixels = bottomUp ? PixelRows{first + step * (height - 1), -step, width, height}
                                      : PixelRows{first, step, width, height};
    return ScanOpaqueRuns(pixels, MakeKeyRange(0, 0), sink);
}

// Stored top first or bottom up, the same rows give the same batch: rectangles, then bound.
TEST(RegionScan, EveryRunOfOpaquePixelsIsOneRowRectangle) {
    for (const bool bottomUp : {false, true}) {
        RecordingSink sink;
        EXPECT_TRUE(Scan({"##.###", ".####."}, sink, bottomUp));
        SCOPED_TRACE(bottomUp ? "bottom up" : "top first");
        EXPECT_EQ(sink.rects, "(0,0,2,1)(3,0,6,1)(1,1,5,2)");
        EXPECT_EQ(sink.bounds, "(0,0,6,2)");
    }
}

std::string Runs(int count) {  // "#." `count` times
    return count == 0 ? "" : "#." + Runs(count - 1);
}

TEST(RegionScan, RoomGrowsByHundredsAndBatchesHoldAtMost2000) {
    for (int runs : {2000, 2001}) {
        SCOPED_TRACE(testing::Message() << runs << " runs");
        RecordingSink sink;
        ASSERT_TRUE(Scan({Runs(runs)}, sink));
        // The room is reused for the second batch; a full first batch leaves an empty last.
        EXPECT_EQ(sink.sizes, (std::vector<std::size_t>{2000, runs == 2000 ? 0u : 1u}));
        EXPECT_EQ(sink.room.size(), 2000u);
        EXPECT_EQ(sink.bounds,
                  "(0,0,3999,1)" + Text(runs == 2000 ? kEmptyRunBound : RunRect{4000, 0, 4001, 1}));
    }
}

// No room at all, no room to grow, the full batch refused, the last one refused.
TEST(RegionScan, StopsWhenTheRoomCannotGrowOrABatchIsRefused) {
    const struct {
        const char* name;
        std::size_t failAbove, refuseAt;
    } cases[] = {
        {"no room", 0, 0},
        {"no room to grow", 100, 0},
        {"full batch refused", SIZE_MAX, 1},
        {"last batch refused", SIZE_MAX, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        sink.failAbove = c.failAbove;
        sink.refuseAt = c.refuseAt;
        EXPECT_FALSE(Scan({Runs(2100)}, sink));
        EXPECT_EQ(sink.sizes.size(), c.refuseAt);
    }
}

// Pixel bytes are B, G, R, unused (never read).
TEST(RegionScan, KeyRangeWidensEachBytePositionOnItsOwnAndIsCappedAt255) {
    const struct {
        const char* name;
        std::uint32_t key, tolerance;
        std::array<std::uint8_t, 4> pixel;
        bool isKey;
    } cases[] = {
        {"capped at 255", 0xF0F0F0, 0x202020, {0xFF, 0xFF, 0xFF, 0}, true},
        {"below the range", 0xF0F0F0, 0x202020, {0xEF, 0xFF, 0xFF, 0}, false},
        {"at each edge, the unused byte ignored", 0x102030, 0x105, {0x35, 0x21, 0x10, 9}, true},
        {"blue past its tolerance", 0x102030, 0x105, {0x36, 0x20, 0x10, 0}, false},
        {"green past its tolerance", 0x102030, 0x105, {0x30, 0x22, 0x10, 0}, false},
        {"red without tolerance", 0x102030, 0x105, {0x30, 0x20, 0x11, 0}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsKeyPixel(MakeKeyRange(c.key, c.tolerance), c.pixel.data()), c.isKey) << c.name;
}

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

// A shift keeps the hue by one common offset, in one slot only, and rejects bad arguments.
TEST(ButtonColors, ShiftMovesOneSlotByOneCommonOffset) {
    const struct {
        const char* name;
        std::uint32_t color;
        int shade;
        std::uint32_t shifted;
    } cases[] = {
        {"down to zero", Rgb(100, 200, 50), -255, Rgb(50, 150, 0)},
        {"up to 255", Rgb(10, 250, 100), 30, Rgb(15, 255, 105)},
        {"up to 255 from the largest", Rgb(200, 10, 10), 56, Rgb(255, 65, 65)},
        {"down, in range", Rgb(20, 30, 40), -10, Rgb(10, 20, 30)},
        {"up by one from 255", Rgb(255, 0, 0), 1, Rgb(255, 0, 0)},
        {"the top byte dropped", 0xFF000000u | Rgb(1, 2, 3), 1, Rgb(2, 3, 4)},
    };
    for (int slot = ActiveFace; slot < ColorSlotCount; ++slot) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", slot " << slot);
            ButtonColors colors;
            colors.Reset(Rgb(7, 7, 7), Rgb(9, 9, 9));
            colors.Set(slot, c.color);
            const int other = (slot + 1) % ColorSlotCount;  // untouched
            const auto shade = static_cast<std::int16_t>(c.shade);
            EXPECT_EQ(colors.Shift(static_cast<std::uint8_t>(slot), shade), ButtonOk);
            EXPECT_EQ(colors[slot], c.shifted);
            EXPECT_EQ(colors[other], other % 2 ? Rgb(9, 9, 9) : Rgb(7, 7, 7));
        }
    }
    ButtonColors colors;
    colors.Reset(Rgb(100, 200, 50), 0);
    EXPECT_EQ(colors.Shift(6, 10), ButtonBadColorIndex);
    EXPECT_EQ(colors.Shift(0, 256), ButtonBadShade);
    EXPECT_EQ(colors.Shift(0, -256), ButtonBadShade);
    EXPECT_EQ(colors[ActiveFace], Rgb(100, 200, 50));
    // Grey level: the weights add up to a hair under one; the top byte is not read.
    const struct {
        const char* name;
        std::uint32_t color;
        int level;
    } greys[] = {
        {"black", Rgb(0, 0, 0), 0},
        {"red", Rgb(255, 0, 0), 76},
        {"green", Rgb(0, 255, 0), 149},
        {"blue", Rgb(0, 0, 255), 29},
        {"grey", Rgb(100, 100, 100), 99},
        {"white", Rgb(255, 255, 255), 254},
        {"the top byte not read", 0xFF000000u | Rgb(10, 20, 30), 18},
    };
    for (const auto& g : greys)
        EXPECT_EQ(GreyLevel(g.color), g.level) << g.name;
}

TEST(PlaceImage, EachAlignmentWithAndWithoutCaption) {
    // A 21 x 15 image in a 100-wide button; the item is 100 x 40 unless said otherwise.
    const struct {
        const char* name;
        ImageSpot spot;
        ButtonBox image, caption, item = {0, 0, 100, 40};
    } cases[] = {
        {"left", {ImageLeft, false, false}, {39, 12, 100, 40}, {0, 0, 100, 40}},
        {"left, caption", {ImageLeft, true, false}, {3, 12, 100, 40}, {24, 0, 100, 40}},
        {"above", {ImageAbove, false, false}, {39, 12, 100, 40}, {0, 0, 100, 40}},
        // with a caption the top is 3 from the button's edge, not from the item's
        {"above, caption",
         {ImageAbove, true, false},
         {39, 3, 100, 40},
         {0, 25, 100, 40},
         {0, 10, 100, 40}},
        {"right", {ImageRight, false, false}, {39, 0, 100, 40}, {0, 0, 100, 40}},
        {"right, caption", {ImageRight, true, false}, {76, 12, 100, 40}, {3, 0, 76, 40}},
        {"unknown alignment", {7, true, false}, {0, 0, 100, 40}, {0, 0, 100, 40}},
        // pressed: the image moves one pixel, the caption stays
        {"pressed", {ImageAbove, true, true}, {40, 4, 101, 41}, {0, 15, 100, 40}},
        // at 192 DPI the margin and the shift are twice as large
        {"192 DPI, pressed", {ImageLeft, true, true, 6, 2}, {8, 14, 102, 42}, {27, 0, 100, 40}},
        // larger than the item: (10 - 21) / 2 truncates to -5, not -6
        {"larger", {ImageLeft, false, false}, {-5, -2, 10, 10}, {0, 0, 10, 10}, {0, 0, 10, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ButtonBox caption = c.item;
        const ButtonBox image = PlaceImage(
            {c.spot.alignment, c.spot.hasCaption, c.spot.pressed, 100, c.spot.margin, c.spot.shift},
            c.item, caption, 21, 15);
        EXPECT_EQ(Text(image), Text(c.image));
        EXPECT_EQ(Text(caption), Text(c.caption));
    }
}

}  // namespace
