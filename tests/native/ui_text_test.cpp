#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(UiText, EachTranslatedControlHasOneCaptionInBothLanguages) {
    std::set<int> ids;
    for (std::size_t i = 0; i < kCaptionCount; ++i) {
        EXPECT_TRUE(ids.insert(kCaptions[i].controlId).second) << kCaptions[i].controlId;
        EXPECT_TRUE(kCaptions[i].english[0] && kCaptions[i].chinese[0]) << kCaptions[i].controlId;
    }
}

TEST(UiText, FoundTextPrintsTheVersionInUpperCaseHex) {
    const std::pair<std::uint16_t, const wchar_t*> cases[] = {{0x0100, L"Detect device OK,ver100"},
                                                              {0x000A, L"Detect device OK,verA"},
                                                              {0x0000, L"Detect device OK,ver0"},
                                                              {0xBEEF, L"设备已连接,verBEEF"}};
    for (const auto& [version, text] : cases)
        EXPECT_EQ(FoundText(version, version != 0xBEEF), text);
}

}  // namespace
