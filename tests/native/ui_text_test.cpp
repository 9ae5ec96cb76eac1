#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <set>


namespace {

TEST(UiText, CaptionTableCoversEachTranslatedControlOnce) {
    std::set<int> ids;
    for (std::size_t i = 0; i < kCaptionCount; ++i) {
        EXPECT_TRUE(ids.insert(kCaptions[i].controlId).second) << kCaptions[i].controlId;
        EXPECT_NE(kCaptions[i].english[0], 0);
        EXPECT_NE(kCaptions[i].chinese[0], 0);
    }
}

TEST(UiText, PairNoticeHasFourParagraphs) {
    std::wstring english = MessageFor(Occasion::ReplacePairIncomplete).english;
    EXPECT_EQ(english.rfind(L"Notice：if you choose", 0), 0u);
    std::size_t breaks = 0;
    for (std::size_t at = english.find(L"\r\n\r\n"); at != std::wstring::npos;
         at = english.find(L"\r\n\r\n", at + 4))
        ++breaks;
    EXPECT_EQ(breaks, 3u);
    std::wstring chinese = MessageFor(Occasion::ReplacePairIncomplete).chinese;
    EXPECT_EQ(
        chinese,
        L"注意：如果选择了\"允许替换字符\"\r\n\r\n原始字符\r\n\r\n被替换字符\r\n\r\n不能同时为空");
}

TEST(UiText, FoundTextPrintsTheVersionInUpperCaseHex) {
    EXPECT_EQ(FoundText(0x0100, true), L"Detect device OK,ver100");
    EXPECT_EQ(FoundText(0x000A, true), L"Detect device OK,verA");
    EXPECT_EQ(FoundText(0x0000, true), L"Detect device OK,ver0");
    EXPECT_EQ(FoundText(0xBEEF, false), L"设备已连接,verBEEF");
}

}  // namespace
