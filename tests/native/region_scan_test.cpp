// The run scan behind the welcome window's region.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "controls/region_scan.h"

namespace {

constexpr std::uint32_t kOpaque = 0x00336699;  // memory bytes 99 66 33 00
constexpr std::uint32_t kBlack = 0;

// A top-down picture of 32-bit pixels, 0x00RRGGBB as the memory bytes B, G, R, 0.
struct Picture {
    Picture(int w, int h, std::uint32_t fill) : width(w), height(h), pixels(w * h, fill) {}
    std::uint32_t& at(int x, int y) { return pixels[y * width + x]; }
    PixelRows rows() const {
        return {reinterpret_cast<const std::uint8_t*>(pixels.data()),
                static_cast<std::ptrdiff_t>(width) * 4, width, height};
    }
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
};

// Keeps the rectangles in a vector that grows as asked, and records each batch.
class RecordingSink : public RunSink {
public:
    RunRect* Grow(std::size_t capacity) override {
        if (capacity > failAbove)
            return nullptr;
        grows.push_back(capacity);
        room.resize(capacity);
        return room.data();
    }
    bool Flush(std::size_t count, const RunRect& bound, std::size_t capacity) override {
        EXPECT_LE(count, capacity);
        batches.push_back({std::vector<RunRect>(room.begin(), room.begin() + count), bound});
        return true;
    }
    std::vector<RunRect> All() const {
        std::vector<RunRect> all;
        for (const auto& batch : batches)
            all.insert(all.end(), batch.rects.begin(), batch.rects.end());
        return all;
    }

    struct Batch {
        std::vector<RunRect> rects;
        RunRect bound;
    };
    std::vector<RunRect> room;
    std::vector<std::size_t> grows;
    std::vector<Batch> batches;
    std::size_t failAbove = SIZE_MAX;
};

bool Same(const RunRect& a, const RunRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RegionScan, FullyOpaquePictureGivesOneRowRectanglePerRow) {
    Picture picture(7, 5, kOpaque);
    RecordingSink sink;
    ASSERT_TRUE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
    ASSERT_EQ(sink.batches.size(), 1u);  // only the last flush
    const auto& batch = sink.batches[0];
    ASSERT_EQ(batch.rects.size(), 5u);
    for (int y = 0; y < 5; ++y)
        EXPECT_TRUE(Same(batch.rects[y], {0, y, 7, y + 1})) << y;
    EXPECT_TRUE(Same(batch.bound, {0, 0, 7, 5}));
    EXPECT_EQ(sink.grows, std::vector<std::size_t>{100});
}

TEST(RegionScan, PictureOfKeyColourGivesOneEmptyBatch) {
    Picture picture(6, 4, kBlack);
    RecordingSink sink;
    ASSERT_TRUE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
    ASSERT_EQ(sink.batches.size(), 1u);
    EXPECT_TRUE(sink.batches[0].rects.empty());
    EXPECT_TRUE(Same(sink.batches[0].bound, kEmptyRunBound));
}

TEST(RegionScan, AlternatingPixelsGiveOneRectanglePerOpaquePixel) {
    Picture picture(9, 1, kBlack);
    for (int x = 0; x < 9; x += 2)
        picture.at(x, 0) = kOpaque;
    RecordingSink sink;
    ASSERT_TRUE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
    const auto all = sink.All();
    ASSERT_EQ(all.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Same(all[i], {2 * i, 0, 2 * i + 1, 1})) << i;
}

TEST(RegionScan, RunsEndAtKeyPixelsAndRowsAreTopFirst) {
    Picture picture(6, 2, kOpaque);
    picture.at(2, 0) = kBlack;
    picture.at(5, 1) = kBlack;
    RecordingSink sink;
    ASSERT_TRUE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
    const auto all = sink.All();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(Same(all[0], {0, 0, 2, 1}));
    EXPECT_TRUE(Same(all[1], {3, 0, 6, 1}));
    EXPECT_TRUE(Same(all[2], {0, 1, 5, 2}));
}

TEST(RegionScan, BottomUpRowsAreReadFromTheLastRowInMemory) {
    // Memory row 1 is the top of the picture when the step is negative.
    Picture memory(4, 2, kOpaque);
    memory.at(0, 1) = kBlack;
    PixelRows rows = memory.rows();
    rows.top += 4 * 4;
    rows.step = -rows.step;
    RecordingSink sink;
    ASSERT_TRUE(ScanOpaqueRuns(rows, MakeKeyRange(kBlack, 0), sink));
    const auto all = sink.All();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(Same(all[0], {1, 0, 4, 1}));
    EXPECT_TRUE(Same(all[1], {0, 1, 4, 2}));
}

// `count` one-pixel runs: opaque pixels at every even x of one long row.
Picture AlternatingRow(int count) {
    Picture picture(2 * count, 1, kBlack);
    for (int i = 0; i < count; ++i)
        picture.at(2 * i, 0) = kOpaque;
    return picture;
}

TEST(RegionScan, RoomGrowsByHundredsAndBatchesHoldAtMost2000) {
    {
        Picture picture = AlternatingRow(2000);
        RecordingSink sink;
        ASSERT_TRUE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
        ASSERT_EQ(sink.batches.size(), 2u);
        EXPECT_EQ(sink.batches[0].rects.size(), 2000u);
        EXPECT_TRUE(Same(sink.batches[0].bound, {0, 0, 3999, 1}));
        EXPECT_TRUE(sink.batches[1].rects.empty());  // the last flush adds nothing
        EXPECT_EQ(sink.grows.size(), 20u);
        EXPECT_EQ(sink.grows.back(), 2000u);
    }
    {
        Picture picture = AlternatingRow(2001);
        RecordingSink sink;
        ASSERT_TRUE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
        ASSERT_EQ(sink.batches.size(), 2u);
        EXPECT_EQ(sink.batches[0].rects.size(), 2000u);
        ASSERT_EQ(sink.batches[1].rects.size(), 1u);
        EXPECT_TRUE(Same(sink.batches[1].rects[0], {4000, 0, 4001, 1}));
        EXPECT_TRUE(Same(sink.batches[1].bound, {4000, 0, 4001, 1}));
        EXPECT_EQ(sink.grows.size(), 20u);  // the room is reused for the second batch
    }
}

TEST(RegionScan, StopsWhenTheRoomCannotGrow) {
    Picture picture = AlternatingRow(150);
    RecordingSink sink;
    sink.failAbove = 100;
    EXPECT_FALSE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
    EXPECT_TRUE(sink.batches.empty());
    sink.failAbove = 0;  // not even the first room
    EXPECT_FALSE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(kBlack, 0), sink));
}

TEST(RegionScan, KeyRangeIsCappedAt255) {
    const KeyRange range = MakeKeyRange(0x00F0F0F0, 0x00202020);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(range.low[i], 0xF0);
        EXPECT_EQ(range.high[i], 0xFF);
    }
    const std::uint8_t white[4] = {0xFF, 0xFF, 0xFF, 0x00};
    const std::uint8_t below[4] = {0xEF, 0xFF, 0xFF, 0x00};
    EXPECT_TRUE(IsKeyPixel(range, white));
    EXPECT_FALSE(IsKeyPixel(range, below));
}

TEST(RegionScan, ToleranceWidensEachBytePositionOnItsOwn) {
    const KeyRange range = MakeKeyRange(0x00102030, 0x00000105);
    const std::uint8_t inside[4] = {0x35, 0x21, 0x10, 0xAA};  // byte 3 is never read
    const std::uint8_t blueOut[4] = {0x36, 0x20, 0x10, 0x00};
    const std::uint8_t greenOut[4] = {0x30, 0x22, 0x10, 0x00};
    const std::uint8_t redOut[4] = {0x30, 0x20, 0x11, 0x00};
    EXPECT_TRUE(IsKeyPixel(range, inside));
    EXPECT_FALSE(IsKeyPixel(range, blueOut));
    EXPECT_FALSE(IsKeyPixel(range, greenOut));
    EXPECT_FALSE(IsKeyPixel(range, redOut));
}

TEST(RegionScan, KeyByteZeroIsComparedWithTheBlueByte) {
    // Key 0x0000FF: byte 0 is 255. Pixel 0x000000FF is pure blue in memory (FF 00 00).
    Picture picture(3, 1, kOpaque);
    picture.at(0, 0) = 0x000000FF;  // blue: cut away
    picture.at(1, 0) = 0x00FF0000;  // red: kept
    picture.at(2, 0) = 0x000000FF;
    RecordingSink sink;
    ASSERT_TRUE(ScanOpaqueRuns(picture.rows(), MakeKeyRange(0x000000FF, 0), sink));
    const auto all = sink.All();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_TRUE(Same(all[0], {1, 0, 2, 1}));
}

}  // namespace
