// The menu's look decision, colour blending and image-resource reading.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "menu/image_resources.h"
#include "menu/menu_colors.h"
#include "menu/menu_look.h"

namespace {

TEST(WindowsVersionCode, EachReleaseGetsItsCode) {
    struct Case {
        WindowsRelease release;
        int code;
    };
    const Case cases[] = {
        {{true, 3, 95}, 0},  {{true, 4, 0}, 2},  {{true, 4, 10}, 3},  {{true, 4, 90}, 4},
        {{true, 4, 20}, 2},  {{true, 5, 0}, 2},  {{false, 3, 51}, 1}, {{false, 4, 0}, 5},
        {{false, 5, 0}, 6},  {{false, 5, 1}, 7}, {{false, 5, 2}, 1},  {{false, 6, 1}, 1},
        {{false, 10, 0}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.release.nineXFamily << " " << c.release.major << "." << c.release.minor);
        EXPECT_EQ(WindowsVersionCode(c.release), c.code);
    }
}

TEST(MenuLook, FlatOnlyOnThemedXp) {
    EXPECT_TRUE(UsesFlatStyle(7, false));
    EXPECT_FALSE(UsesFlatStyle(7, true));
    for (int code : {0, 1, 2, 3, 4, 5, 6})
        EXPECT_FALSE(UsesFlatStyle(code, false)) << code;
}

TEST(MenuLook, ClassicThemeIsRecognisedByItsFileName) {
    EXPECT_TRUE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme"));
    EXPECT_TRUE(IsClassicThemeFile("WINDOWS CLASSIC.THEME"));
    EXPECT_FALSE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\Luna.theme"));
    EXPECT_FALSE(IsClassicThemeFile("Classic.theme"));
    EXPECT_FALSE(IsClassicThemeFile(""));
}

TEST(BlendTowardWhite, FactorsOutsideTheRangeChangeNothing) {
    struct Case {
        std::uint32_t color;
        double factor;
        std::uint32_t blended;
    };
    const Case cases[] = {
        {0x00402010, 0.0, 0x00402010},  {0x00402010, 1.5, 0x00402010},
        {0x00402010, -0.5, 0x00402010}, {0x00402010, 1.0, 0x00FFFFFF},
        {0x00000000, 0.5, 0x007F7F7F},  {0x00FF8000, 0.25, 0x00FF9F3F},
        {0x006A240A, 0.85, 0x00E8DEDA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        EXPECT_EQ(BlendTowardWhite(c.color, c.factor), c.blended);
    }
}

std::vector<std::uint8_t> Toolbar(std::vector<std::uint16_t> words) {
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t w : words) {
        bytes.push_back(w & 0xFF);
        bytes.push_back(w >> 8);
    }
    return bytes;
}

TEST(ToolbarImagePosition, SeparatorsTakeNoPicture) {
    const auto bar = Toolbar({1, 16, 15, 4, 100, 0, 101, 102});
    struct Case {
        unsigned command;
        std::optional<int> position;
    };
    const Case cases[] = {{100, 0}, {101, 1}, {102, 2}, {103, std::nullopt}, {0, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(ToolbarImagePosition(bar.data(), bar.size(), c.command), c.position) << c.command;
}

TEST(ToolbarImagePosition, MalformedToolbarsHaveNoButtons) {
    const std::vector<std::uint8_t> cases[] = {
        Toolbar({1, 16, 15, 5, 100, 101}),  // more buttons than words
        Toolbar({2, 16, 15, 1, 100}),       // unknown version
        Toolbar({1, 16, 15}),               // cut in the header
    };
    for (const auto& bar : cases) {
        auto* copy = new std::uint8_t[bar.size()];
        std::copy(bar.begin(), bar.end(), copy);
        EXPECT_FALSE(ToolbarImagePosition(copy, bar.size(), 100));
        delete[] copy;
    }
}

TEST(SharedImageIds, RaisedVariantsNeedThreeEqualEntries) {
    const std::vector<int> ids{5, 5, 5, 6, 7, 7};
    EXPECT_EQ(SharedImageIndex(ids, 7), 4);
    EXPECT_EQ(SharedImageIndex(ids, 8), -1);
    EXPECT_EQ(SharedImageIndex({}, 5), -1);
    EXPECT_TRUE(HasRaisedVariants(ids, 0));
    EXPECT_FALSE(HasRaisedVariants(ids, 3));
    EXPECT_FALSE(HasRaisedVariants(ids, 4));  // last but one
    EXPECT_FALSE(HasRaisedVariants(ids, 5));  // last
    EXPECT_FALSE(HasRaisedVariants(ids, -1));
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
