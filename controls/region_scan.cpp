#include "controls/region_scan.h"

#include <algorithm>
#include <cstddef>

KeyRange MakeKeyRange(std::uint32_t keyColor, std::uint32_t tolerance) {
    KeyRange range{};
    for (int i = 0; i < 3; ++i) {
        const unsigned key = (keyColor >> (8 * i)) & 0xFF;
        const unsigned width = (tolerance >> (8 * i)) & 0xFF;
        range.low[i] = static_cast<std::uint8_t>(key);
        range.high[i] = static_cast<std::uint8_t>(std::min(key + width, 255u));
    }
    return range;
}

bool IsKeyPixel(const KeyRange& range, const std::uint8_t* pixel) {
    for (int i = 0; i < 3; ++i) {
        if (pixel[i] < range.low[i] || pixel[i] > range.high[i])
            return false;
    }
    return true;
}

namespace {
void Widen(RunRect& bound, const RunRect& rect) {
    bound.left = std::min(bound.left, rect.left);
    bound.top = std::min(bound.top, rect.top);
    bound.right = std::max(bound.right, rect.right);
    bound.bottom = std::max(bound.bottom, rect.bottom);
}
}  // namespace

bool ScanOpaqueRuns(const PixelRows& pixels, const KeyRange& key, RunSink& sink) {
    std::size_t capacity = kRunGrowth;
    RunRect* rects = sink.Grow(capacity);
    if (rects == nullptr)
        return false;
    std::size_t count = 0;
    RunRect bound = kEmptyRunBound;

    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = pixels.top + pixels.step * y;
        int x = 0;
        while (x < pixels.width) {
            const int x0 = x;
            while (x < pixels.width && !IsKeyPixel(key, row + 4 * static_cast<std::ptrdiff_t>(x)))
                ++x;
            if (x > x0) {
                if (count == capacity) {
                    capacity += kRunGrowth;
                    rects = sink.Grow(capacity);
                    if (rects == nullptr)
                        return false;
                }
                rects[count] = RunRect{x0, y, x, y + 1};
                Widen(bound, rects[count]);
                if (++count == kRunBatch) {
                    if (!sink.Flush(count, bound, capacity))
                        return false;
                    count = 0;
                    bound = kEmptyRunBound;
                }
            }
            ++x;
        }
    }
    return sink.Flush(count, bound, capacity);
}
