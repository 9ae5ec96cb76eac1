#include "menu/image_resources.h"

#include <algorithm>

namespace {
constexpr std::size_t kToolbarHeaderWords = 4;

std::uint16_t WordAt(const std::uint8_t* data, std::size_t word) {
    return static_cast<std::uint16_t>(data[2 * word] | (data[2 * word + 1] << 8));
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

int SharedImageIndex(const std::vector<int>& ids, int command) {
    const auto found = std::find(ids.begin(), ids.end(), command);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

bool HasRaisedVariants(const std::vector<int>& ids, int index) {
    if (index < 0 || static_cast<std::size_t>(index) + 2 >= ids.size())
        return false;
    return ids[index] == ids[index + 1] && ids[index] == ids[index + 2];
}
