// The controls' pure parts: the run scan behind the welcome window's region, the picture
// button's colour slots and grey level, and where it puts its image and caption.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "controls/button_colors.h"
#include "controls/image_placement.h"
#include "controls/region_scan.h"

namespace {

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
    static std::vector<std::uint32_t> memory;
    memory.clear();
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
        EXPECT_EQ(sink.rects + " in " + sink.bounds, "(0,0,2,1)(3,0,6,1)(1,1,5,2) in (0,0,6,2)");
    }
}

std::string Runs(int count) {  // "#." `count` times
    return count == 0 ? "" : "#." + Runs(count - 1);
}

TEST(RegionScan, RoomGrowsByHundredsAndBatchesHoldAtMost2000) {
    for (int runs : {2000, 2001}) {
        RecordingSink sink;
        ASSERT_TRUE(Scan({Runs(runs)}, sink));
        // The room is reused for the second batch; a full first batch leaves an empty last.
        EXPECT_EQ(sink.sizes, (std::vector<std::size_t>{2000, runs == 2000 ? 0u : 1u}));
        EXPECT_EQ(sink.bounds,
                  "(0,0,3999,1)" + Text(runs == 2000 ? kEmptyRunBound : RunRect{4000, 0, 4001, 1}));
    }
}

// No room at all, no room to grow, the full batch refused, the last one refused.
TEST(RegionScan, StopsWhenTheRoomCannotGrowOrABatchIsRefused) {
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 0}, {100, 0}, {SIZE_MAX, 1}, {SIZE_MAX, 2}};
    for (const auto& [failAbove, refuseAt] : cases) {
        RecordingSink sink;
        sink.failAbove = failAbove;
        sink.refuseAt = refuseAt;
        EXPECT_FALSE(Scan({Runs(2100)}, sink));
        EXPECT_EQ(sink.sizes.size(), refuseAt);
    }
}

// Key, tolerance, pixel bytes B, G, R, unused (never read); whether it is a key pixel.
TEST(RegionScan, KeyRangeWidensEachBytePositionOnItsOwnAndIsCappedAt255) {
    // clang-format off
    const std::tuple<std::uint32_t, std::uint32_t, std::array<std::uint8_t, 4>, bool> cases[] = {
        {0xF0F0F0, 0x202020, {0xFF, 0xFF, 0xFF, 0}, 1}, {0x102030, 0x105, {0x36, 0x20, 0x10, 0}, 0},
        {0xF0F0F0, 0x202020, {0xEF, 0xFF, 0xFF, 0}, 0}, {0x102030, 0x105, {0x30, 0x22, 0x10, 0}, 0},
        {0x102030, 0x105, {0x35, 0x21, 0x10, 9}, 1}, {0x102030, 0x105, {0x30, 0x20, 0x11, 0}, 0}};
    // clang-format on
    for (const auto& [key, tolerance, pixel, isKey] : cases)
        EXPECT_EQ(IsKeyPixel(MakeKeyRange(key, tolerance), pixel.data()), isKey)
            << std::hex << key << " " << int{pixel[0]};
}

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

// A shift keeps the hue by one common offset, in one slot only, and rejects bad arguments.
TEST(ButtonColors, ShiftMovesOneSlotByOneCommonOffset) {
    const std::tuple<std::uint32_t, int, std::uint32_t> cases[] = {
        {Rgb(100, 200, 50), -255, Rgb(50, 150, 0)},    {Rgb(10, 250, 100), 30, Rgb(15, 255, 105)},
        {Rgb(200, 10, 10), 56, Rgb(255, 65, 65)},      {Rgb(20, 30, 40), -10, Rgb(10, 20, 30)},
        {0xFF000000u | Rgb(1, 2, 3), 1, Rgb(2, 3, 4)},  // the top byte is dropped
    };
    for (int slot = ActiveFace; slot < ColorSlotCount; ++slot) {
        for (const auto& [color, shade, shifted] : cases) {
            ButtonColors colors;
            colors.Reset(Rgb(7, 7, 7), Rgb(9, 9, 9));
            colors.Set(slot, color);
            const int other = (slot + 1) % ColorSlotCount;  // untouched
            const ButtonResult ok =
                colors.Shift(static_cast<std::uint8_t>(slot), static_cast<std::int16_t>(shade));
            EXPECT_EQ(std::make_tuple(ok, colors[slot], colors[other]),
                      std::make_tuple(ButtonOk, shifted, other % 2 ? Rgb(9, 9, 9) : Rgb(7, 7, 7)))
                << slot << " " << shade;
        }
    }
    ButtonColors colors;
    colors.Reset(Rgb(100, 200, 50), 0);
    EXPECT_EQ(std::make_tuple(colors.Shift(6, 10), colors.Shift(0, 256), colors.Shift(0, -256)),
              std::make_tuple(ButtonBadColorIndex, ButtonBadShade, ButtonBadShade));
    EXPECT_EQ(colors[ActiveFace], Rgb(100, 200, 50));
    // Grey level: the weights add up to a hair under one; the top byte is not read.
    // clang-format off
    const std::pair<std::uint32_t, int> greys[] = {
        {Rgb(0, 0, 0), 0}, {Rgb(255, 0, 0), 76}, {Rgb(0, 255, 0), 149}, {Rgb(0, 0, 255), 29},
        {Rgb(100, 100, 100), 99}, {Rgb(255, 255, 255), 254}, {0xFF000000u | Rgb(10, 20, 30), 18}};
    // clang-format on
    for (const auto& [color, level] : greys)
        EXPECT_EQ(GreyLevel(color), level) << std::hex << color;
}

TEST(PlaceImage, EachAlignmentWithAndWithoutCaption) {
    // A 21 x 15 image in a 100-wide button; the item is 100 x 40 unless said otherwise.
    const std::tuple<int, bool, bool, ButtonBox, ButtonBox, ButtonBox> cases[] = {
        {ImageLeft, false, false, {0, 0, 100, 40}, {39, 12, 100, 40}, {0, 0, 100, 40}},
        {ImageLeft, true, false, {0, 0, 100, 40}, {3, 12, 100, 40}, {24, 0, 100, 40}},
        {ImageAbove, false, false, {0, 0, 100, 40}, {39, 12, 100, 40}, {0, 0, 100, 40}},
        // with a caption the top is 3 from the button's edge, not from the item's
        {ImageAbove, true, false, {0, 10, 100, 40}, {39, 3, 100, 40}, {0, 25, 100, 40}},
        {ImageRight, false, false, {0, 0, 100, 40}, {39, 0, 100, 40}, {0, 0, 100, 40}},
        {ImageRight, true, false, {0, 0, 100, 40}, {76, 12, 100, 40}, {3, 0, 76, 40}},
        {7, true, false, {0, 0, 100, 40}, {0, 0, 100, 40}, {0, 0, 100, 40}},
        // pressed: the image moves one pixel, the caption stays
        {ImageAbove, true, true, {0, 0, 100, 40}, {40, 4, 101, 41}, {0, 15, 100, 40}},
        // larger than the item: (10 - 21) / 2 truncates to -5, not -6
        {ImageLeft, false, false, {0, 0, 10, 10}, {-5, -2, 10, 10}, {0, 0, 10, 10}},
    };
    for (const auto& [alignment, hasCaption, shift, item, image, room] : cases) {
        ButtonBox caption = item;
        const std::string placed =
            Text(PlaceImage({alignment, hasCaption, shift, 100}, item, caption, 21, 15));
        EXPECT_EQ(placed + Text(caption), Text(image) + Text(room))
            << alignment << hasCaption << shift;
    }
}

}  // namespace
