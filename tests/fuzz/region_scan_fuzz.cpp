// Any picture, key colour and tolerance: the scan's rectangles cover exactly the opaque
// pixels, one row each, inside the picture, handed over in batches of bounded size.
#include <vector>

#include "controls/region_scan.h"
#include "fuzz_check.h"

namespace {

// Keeps every batch; nothing comes after the last, the only one that may be short.
struct CheckingSink : RunSink {
    RunRect* Grow(std::size_t capacity) override {
        room.resize(capacity);
        return room.data();
    }
    bool Flush(std::size_t count, const RunRect&, std::size_t capacity) override {
        FUZZ_CHECK(!ended && count <= kRunBatch && count <= capacity && capacity <= room.size());
        ended = count < kRunBatch;
        rects.insert(rects.end(), room.begin(), room.begin() + count);
        return true;
    }
    std::vector<RunRect> room, rects;
    bool ended = false;
};

}  // namespace

void FuzzOne(FuzzInput& in) {
    const std::uint32_t key = in.Long(), tolerance = in.Long();
    const int width = 1 + in.Byte() % 64;
    const bool bottomUp = in.Flag();
    std::vector<std::uint8_t> pixels(in.data, in.data + in.size);
    const int height = static_cast<int>(pixels.size() / (4 * static_cast<std::size_t>(width)));
    pixels.resize(static_cast<std::size_t>(height) * width * 4);
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) * 4;
    const PixelRows rows = bottomUp && height > 0 ? PixelRows{pixels.data() + (height - 1) * stride,
                                                              -stride, width, height}
                                                  : PixelRows{pixels.data(), stride, width, height};

    const KeyRange range = MakeKeyRange(key, tolerance);
    CheckingSink sink;
    FUZZ_CHECK(ScanOpaqueRuns(rows, range, sink) && sink.ended);
    const auto isKey = [&](int x, int y) {
        return IsKeyPixel(range, rows.top + y * rows.step + x * 4);
    };
    // Every rectangle is one row of opaque pixels inside the picture, ending only at a key
    // pixel or the picture's edge, and together they cover every opaque pixel exactly once.
    std::vector<int> cover(pixels.size() / 4, 0);
    for (const RunRect& r : sink.rects) {
        FUZZ_CHECK(r.top >= 0 && r.bottom == r.top + 1 && r.top < height && r.left >= 0 &&
                   r.left < r.right && r.right <= width);
        FUZZ_CHECK((r.left == 0 || isKey(r.left - 1, r.top)) &&
                   (r.right == width || isKey(r.right, r.top)));
        for (int x = r.left; x < r.right; ++x)
            ++cover[static_cast<std::size_t>(r.top) * width + x];
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            FUZZ_CHECK(cover[static_cast<std::size_t>(y) * width + x] == !isKey(x, y));
}
