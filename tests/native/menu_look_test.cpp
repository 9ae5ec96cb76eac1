// The menu's look decision, colour blending and image-resource reading.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "menu/image_resources.h"
#include "menu/menu_colors.h"
#include "menu/menu_look.h"

namespace {

TEST(MenuLook, VersionCodeAndTheFlatStyleOnlyOnThemedXp) {
    const struct {
        WindowsRelease release;
        int code;
    } cases[] = {
        {{true, 3, 95}, 0}, {{true, 4, 0}, 2},  {{true, 4, 10}, 3},  {{true, 4, 90}, 4},
        {{true, 4, 20}, 2}, {{true, 5, 0}, 2},  {{false, 3, 51}, 1}, {{false, 4, 0}, 5},
        {{false, 5, 0}, 6}, {{false, 5, 1}, 7}, {{false, 5, 2}, 1},  {{false, 10, 0}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowsVersionCode(c.release), c.code) << c.release.major << c.release.minor;
        EXPECT_EQ(UsesFlatStyle(c.code, false), c.code == 7) << c.code;
    }
    EXPECT_FALSE(UsesFlatStyle(7, true));
    EXPECT_TRUE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme"));
    EXPECT_TRUE(IsClassicThemeFile("WINDOWS CLASSIC.THEME"));
    for (const char* other : {"C:\\WINDOWS\\Resources\\Themes\\Luna.theme", "Classic.theme", ""})
        EXPECT_FALSE(IsClassicThemeFile(other)) << other;
}

TEST(BlendTowardWhite, FactorsOutsideTheRangeChangeNothing) {
    const struct {
        std::uint32_t color;
        double factor;
        std::uint32_t blended;
    } cases[] = {
        {0x00402010, 0.0, 0x00402010},  {0x00402010, 1.5, 0x00402010},
        {0x00402010, -0.5, 0x00402010}, {0x00402010, 1.0, 0x00FFFFFF},
        {0x00000000, 0.5, 0x007F7F7F},  {0x00FF8000, 0.25, 0x00FF9F3F},
        {0x006A240A, 0.85, 0x00E8DEDA},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendTowardWhite(c.color, c.factor), c.blended) << c.factor;
}

// Toolbar words as the resource stores them, in an exact-size heap block (the sanitizer
// catches a read past its end).
std::optional<int> Position(std::vector<std::uint16_t> words, unsigned command) {
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t w : words)
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(w & 0xFF), static_cast<std::uint8_t>(w >> 8)});
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return ToolbarImagePosition(copy.get(), bytes.size(), command);
}

TEST(ToolbarImagePosition, SeparatorsTakeNoPictureAndMalformedBarsHaveNoButtons) {
    const std::vector<std::uint16_t> bar{1, 16, 15, 4, 300, 0, 301, 302};  // ids above a byte
    const std::pair<unsigned, std::optional<int>> cases[] = {
        {300, 0}, {301, 1}, {302, 2}, {303, std::nullopt}, {0, std::nullopt}};
    for (const auto& [command, position] : cases)
        EXPECT_EQ(Position(bar, command), position) << command;
    EXPECT_FALSE(Position({1, 16, 15, 5, 100, 101}, 100));  // more buttons than words
    EXPECT_FALSE(Position({2, 16, 15, 1, 100}, 100));       // unknown version
    EXPECT_FALSE(Position({1, 16, 15}, 100));               // cut in the header
}

TEST(SharedImageIds, RaisedVariantsNeedThreeEqualEntries) {
    const std::vector<int> ids{5, 5, 5, 6, 7, 7};
    EXPECT_EQ(SharedImageIndex(ids, 7), 4);
    EXPECT_EQ(SharedImageIndex(ids, 8), -1);
    EXPECT_EQ(SharedImageIndex({}, 5), -1);
    EXPECT_TRUE(HasRaisedVariants(ids, 0));
    for (int index : {3, 4, 5, -1})  // 4 and 5: too near the end
        EXPECT_FALSE(HasRaisedVariants(ids, index)) << index;
    EXPECT_TRUE(HasRaisedVariants({1, 2, 2, 2}, 1));  // the last three entries
}

TEST(BitmapColorCount, PaletteSizeFromTheHeader) {
    const int cases[][3] = {{0, 1, 2},  {0, 4, 16}, {0, 8, 256},
                            {0, 24, 0}, {5, 8, 5},  {70000, 8, 0xFFFF}};
    for (const auto& c : cases)
        EXPECT_EQ(
            BitmapColorCount(static_cast<std::uint32_t>(c[0]), static_cast<std::uint16_t>(c[1])),
            c[2])
            << c[0] << " " << c[1];
}

}  // namespace
