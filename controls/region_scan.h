// Finds the runs of opaque pixels in a 32-bit picture, row by row, for a window region.
//
// A pixel is transparent when each of its memory bytes 0, 1 and 2 (blue, green, red) lies in
// the key range of the same byte position; byte 3 is never read. Every run of opaque pixels
// becomes a one-row rectangle. Rectangles are stored in room that grows 100 at a time and are
// handed over in batches of at most 2000; a last batch (maybe empty) ends the scan.
#pragma once

#include <cstddef>
#include <cstdint>

struct RunRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

constexpr std::size_t kRunGrowth = 100;
constexpr std::size_t kRunBatch = 2000;

// The bound of an empty batch: it widens to the first rectangle stored.
constexpr RunRect kEmptyRunBound = {0x7FFFFFFF, 0x7FFFFFFF, 0, 0};

// Inclusive range per byte position 0, 1, 2.
struct KeyRange {
    std::uint8_t low[3];
    std::uint8_t high[3];
};

// low = key byte, high = key byte + tolerance byte, capped at 255.
KeyRange MakeKeyRange(std::uint32_t keyColor, std::uint32_t tolerance);
bool IsKeyPixel(const KeyRange& range, const std::uint8_t* pixel);

// The picture's pixels as the scan reads them: 4 bytes a pixel.
struct PixelRows {
    const std::uint8_t* top;  // first byte of the picture's top row
    std::ptrdiff_t step;      // bytes from a row to the one below it (negative when bottom-up)
    int width;
    int height;
};

// Where the rectangles go.
class RunSink {
public:
    virtual ~RunSink() = default;
    // Room for `capacity` rectangles, the ones stored so far kept; null when it cannot grow.
    virtual RunRect* Grow(std::size_t capacity) = 0;
    // A finished batch of `count` rectangles (0 for an empty last batch) in room of
    // `capacity`. Returns false to stop the scan.
    virtual bool Flush(std::size_t count, const RunRect& bound, std::size_t capacity) = 0;
};

// Returns false when the sink could not grow or refused a batch.
bool ScanOpaqueRuns(const PixelRows& pixels, const KeyRange& key, RunSink& sink);
