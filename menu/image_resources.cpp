#include "menu/image_resources.h"

#include <algorithm>

namespace {
constexpr std::size_t kToolbarHeaderWords = 4;

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kBitCountOffset = 14;
constexpr std::size_t kColorsUsedOffset = 32;

std::uint16_t WordAt(const std::uint8_t* data, std::size_t word) {
    return static_cast<std::uint16_t>(data[2 * word] | (data[2 * word + 1] << 8));
}

std::uint32_t DwordAtByte(const std::uint8_t* data, std::size_t offset) {
    return static_cast<std::uint32_t>(data[offset]) | (data[offset + 1] << 8) |
           (data[offset + 2] << 16) | (static_cast<std::uint32_t>(data[offset + 3]) << 24);
}
}  // namespace

std::optional<int> ToolbarImagePosition(const std::uint8_t* data, std::size_t size,
                                        unsigned command) {
    if (data == nullptr || size < 2 * kToolbarHeaderWords || WordAt(data, 0) != 1)
        return std::nullopt;
    const std::size_t count = WordAt(data, 3);
    if (count > size / 2 - kToolbarHeaderWords)
        return std::nullopt;
    int image = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t id = WordAt(data, kToolbarHeaderWords + i);
        if (id == 0)
            continue;
        if (id == command)
            return image;
        ++image;
    }
    return std::nullopt;
}

int BitmapColorCount(std::uint32_t colorsUsed, std::uint16_t bitCount) {
    if (colorsUsed != 0)
        return static_cast<int>(std::min<std::uint32_t>(colorsUsed, 0xFFFF));
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

std::optional<int> InfoHeaderColorCount(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t headerSize = DwordAtByte(data, 0);
    if (headerSize < kInfoHeaderSize || headerSize > size)
        return std::nullopt;
    const auto bitCount =
        static_cast<std::uint16_t>(data[kBitCountOffset] | (data[kBitCountOffset + 1] << 8));
    return BitmapColorCount(DwordAtByte(data, kColorsUsedOffset), bitCount);
}

int SharedImageIndex(const std::vector<int>& ids, int command) {
    const auto found = std::find(ids.begin(), ids.end(), command);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

bool HasRaisedVariants(const std::vector<int>& ids, int index) {
    if (index < 0 || static_cast<std::size_t>(index) + 2 >= ids.size())
        return false;
    return ids[index] == ids[index + 1] && ids[index] == ids[index + 2];
}
