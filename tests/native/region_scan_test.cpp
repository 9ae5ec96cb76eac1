// The run scan behind the welcome window's region.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/region_scan.h"

namespace {

// Pixels as 0x00RRGGBB values, so memory bytes B, G, R, 0: '#' opaque, '.' black (the key
// of most cases), 'b' blue, 'r' red.
std::uint32_t PixelOf(char c) {
    return c == '#' ? 0x00336699 : c == 'b' ? 0x000000FF : c == 'r' ? 0x00FF0000 : 0;
}

std::string Text(const RunRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// Keeps the rectangles in a vector that grows as asked, and records each batch.
struct RecordingSink : RunSink {
    RunRect* Grow(std::size_t capacity) override {
        if (capacity > failAbove)
            return nullptr;
        grows.push_back(capacity);
        room.resize(capacity);
        return room.data();
    }
    bool Flush(std::size_t count, const RunRect& bound, std::size_t capacity) override {
        EXPECT_LE(count, capacity);
        sizes.push_back(count);
        bounds += Text(bound);
        for (std::size_t i = 0; i < count; ++i)
            rects += Text(room[i]);
        return ++flushes != refuseAt;
    }
    std::vector<RunRect> room;
    std::vector<std::size_t> grows, sizes;
    std::string rects, bounds;
    std::size_t failAbove = SIZE_MAX;
    int flushes = 0, refuseAt = 0;  // refuses batch `refuseAt` (1 the first)
};

// Scans rows given top first; when `bottomUp`, they are stored last row first in memory.
bool Scan(const std::vector<std::string>& rows, RecordingSink& sink, std::uint32_t key = 0,
          bool bottomUp = false) {
    const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
    static std::vector<std::uint32_t> memory;
    memory.clear();
    for (int y = 0; y < height; ++y)
        for (char c : rows[bottomUp ? height - 1 - y : y])
            memory.push_back(PixelOf(c));
    const auto* first = reinterpret_cast<const std::uint8_t*>(memory.data());
    const std::ptrdiff_t step = 4 * width;
    const PixelRows pixels = bottomUp ? PixelRows{first + step * (height - 1), -step, width, height}
                                      : PixelRows{first, step, width, height};
    return ScanOpaqueRuns(pixels, MakeKeyRange(key, 0), sink);
}

TEST(RegionScan, EveryRunOfOpaquePixelsIsOneRowRectangle) {
    const struct {
        const char* what;
        std::vector<std::string> rows;
        std::uint32_t key;
        bool bottomUp;
        std::string rects, bound;
    } cases[] = {
        {"opaque", {"###", "###"}, 0, false, "(0,0,3,1)(0,1,3,2)", "(0,0,3,2)"},
        {"all key", {"..", ".."}, 0, false, "", Text(kEmptyRunBound)},
        {"alternating", {"#.#.#"}, 0, false, "(0,0,1,1)(2,0,3,1)(4,0,5,1)", "(0,0,5,1)"},
        {"runs end at key pixels",
         {"##.###", "#####."},
         0,
         false,
         "(0,0,2,1)(3,0,6,1)(0,1,5,2)",
         "(0,0,6,2)"},
        {"bottom-up rows", {".###", "####"}, 0, true, "(1,0,4,1)(0,1,4,2)", "(0,0,4,2)"},
        {"key byte 0 is the blue byte", {"brb"}, 0x0000FF, false, "(1,0,2,1)", "(1,0,2,1)"},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        ASSERT_TRUE(Scan(c.rows, sink, c.key, c.bottomUp)) << c.what;
        EXPECT_EQ(sink.rects, c.rects) << c.what;
        EXPECT_EQ(sink.bounds, c.bound) << c.what;  // a single batch
        EXPECT_EQ(sink.grows, std::vector<std::size_t>{100}) << c.what;
    }
}

TEST(RegionScan, RoomGrowsByHundredsAndBatchesHoldAtMost2000) {
    for (int runs : {2000, 2001}) {
        std::string row;
        for (int i = 0; i < runs; ++i)
            row += "#.";
        RecordingSink sink;
        ASSERT_TRUE(Scan({row}, sink));
        // The room is reused for the second batch; a full first batch leaves an empty last.
        EXPECT_EQ(sink.sizes, (std::vector<std::size_t>{2000, runs == 2000 ? 0u : 1u}));
        EXPECT_EQ(sink.bounds,
                  "(0,0,3999,1)" + Text(runs == 2000 ? kEmptyRunBound : RunRect{4000, 0, 4001, 1}));
        EXPECT_EQ(sink.grows.size(), 20u);
        EXPECT_EQ(sink.grows.back(), 2000u);
    }
}

TEST(RegionScan, StopsWhenTheRoomCannotGrowOrABatchIsRefused) {
    std::string row;
    for (int i = 0; i < 2100; ++i)
        row += "#.";
    for (std::size_t failAbove : {std::size_t{0}, std::size_t{100}}) {
        RecordingSink sink;
        sink.failAbove = failAbove;
        EXPECT_FALSE(Scan({row}, sink));
        EXPECT_TRUE(sink.sizes.empty());
    }
    for (int refuse : {1, 2}) {  // the full batch, the last one
        RecordingSink sink;
        sink.refuseAt = refuse;
        EXPECT_FALSE(Scan({row}, sink));
        EXPECT_EQ(sink.sizes.size(), static_cast<std::size_t>(refuse));
    }
}

TEST(RegionScan, KeyRangeWidensEachBytePositionOnItsOwnAndIsCappedAt255) {
    const struct {
        std::uint32_t key, tolerance;
        std::uint8_t pixel[4];
        bool isKey;
    } cases[] = {
        {0x00F0F0F0, 0x00202020, {0xFF, 0xFF, 0xFF, 0x00}, true},
        {0x00F0F0F0, 0x00202020, {0xEF, 0xFF, 0xFF, 0x00}, false},
        {0x00102030, 0x00000105, {0x35, 0x21, 0x10, 0xAA}, true},  // byte 3 is never read
        {0x00102030, 0x00000105, {0x36, 0x20, 0x10, 0x00}, false},
        {0x00102030, 0x00000105, {0x30, 0x22, 0x10, 0x00}, false},
        {0x00102030, 0x00000105, {0x30, 0x20, 0x11, 0x00}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsKeyPixel(MakeKeyRange(c.key, c.tolerance), c.pixel), c.isKey)
            << std::hex << c.key << " " << int{c.pixel[0]};
}

}  // namespace
