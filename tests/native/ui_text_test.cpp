#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <set>

#include "res/resource.h"

namespace {

TEST(UiText, CaptionTableCoversEachTranslatedControlOnce) {
    std::set<int> ids;
    for (std::size_t i = 0; i < kCaptionCount; ++i) {
        EXPECT_TRUE(ids.insert(kCaptions[i].controlId).second) << kCaptions[i].controlId;
        EXPECT_NE(kCaptions[i].english[0], 0);
        EXPECT_NE(kCaptions[i].chinese[0], 0);
    }
    EXPECT_EQ(kCaptionCount, 31u);
    EXPECT_EQ(kCaptions[0].controlId, IDC_FORMAT_FRAME);  // the passes start with the frame
}

TEST(UiText, SameEnglishTextPairsWithDifferentChineseByOccasion) {
    EXPECT_STREQ(MessageFor(Occasion::FindNoReader).english, L"Device disconnected!");
    EXPECT_STREQ(MessageFor(Occasion::DisconnectClosed).english, L"Device disconnected!");
    EXPECT_STREQ(MessageFor(Occasion::FindNoReader).chinese, L"设备未连接!");
    EXPECT_STREQ(MessageFor(Occasion::DisconnectClosed).chinese, L"设备已断开!");
    EXPECT_STREQ(MessageFor(Occasion::CommandNoReader).chinese, L"设备尚未连接!");
    EXPECT_STREQ(MessageFor(Occasion::DisconnectNoReader).chinese, L"设备未连接!");
    EXPECT_STREQ(MessageFor(Occasion::FindDetailFailed).chinese, L"获取HID设备细节信息失败!");
    EXPECT_STREQ(MessageFor(Occasion::CommandNoPreparsedData).chinese,
                 L"Could not get HID preparsed data!");
}

TEST(UiText, TextsThatDifferOnlyInPunctuation) {
    EXPECT_STREQ(MessageFor(Occasion::FormatReceiveTimeout).english, L"Receive data timeout");
    EXPECT_STREQ(MessageFor(Occasion::CommandReceiveTimeout).english, L"Receive data timeout!");
    EXPECT_STREQ(MessageFor(Occasion::CancelAccepted).english,
                 L"Cancle replace character command  OK!");
}

TEST(UiText, DisplayFormsAndTitles) {
    const Message& refused = MessageFor(Occasion::FormatRefused);
    EXPECT_EQ(refused.shown, Shown::StatusAndBox);
    EXPECT_STREQ(refused.title, L"ERROR");
    EXPECT_EQ(refused.icon, kIconError);
    const Message& noTrack = MessageFor(Occasion::FormatNoTrack);
    EXPECT_EQ(noTrack.shown, Shown::Box);
    EXPECT_STREQ(noTrack.title, L"Error");
    const Message& accepted = MessageFor(Occasion::ReplaceAccepted);
    EXPECT_STREQ(accepted.title, L"Information");
    EXPECT_EQ(accepted.icon, kIconInformation);
    EXPECT_EQ(MessageFor(Occasion::CommandSendTimeout).shown, Shown::Box);
    EXPECT_EQ(MessageFor(Occasion::FormatSendTimeout).shown, Shown::Status);
    EXPECT_EQ(MessageFor(Occasion::CommandReceiveTimeout).shown, Shown::Status);
    EXPECT_EQ(MessageFor(Occasion::FormatReceiveTimeout).shown, Shown::StatusAndBox);
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
