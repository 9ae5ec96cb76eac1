// The swipe check: swipes taken apart against the form and the lines the window shows for
// them, a swipe read through each common keyboard layout, the reader's typing, card numbers
// masked. Card numbers are invented.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/swipe_output.h"
#include "settings/utf8.h"
#include "swipe/dialog_texts.h"
#include "swipe/card_mask.h"
#include "swipe/keyboard_layouts.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"

namespace {

using Lines = std::vector<std::string>;

// A form: six sentinel boxes (' ' for an empty one), the tracks output ("123") and where a
// carriage return comes ("P" after the packet, or track digits); `pair` "or" enables pair 1,
// replacing o with r.
settings::Setup Form(const char* sentinels, const char* tracks, const char* returns,
                     const char* pair = "") {
    settings::Setup form;
    for (int i = 0; i < 6; ++i)
        if (sentinels[i] != ' ')
            form.format.sentinels[i] = static_cast<std::uint8_t>(sentinels[i]);
    for (const char* t = tracks; *t != '\0'; ++t)
        form.format.outputTrack[*t - '1'] = true;
    for (const char* r = returns; *r != '\0'; ++r) {
        if (*r == 'P')
            form.format.crAfterPacket = true;
        else
            form.format.crAfterTrack[*r - '1'] = true;
    }
    if (pair[0] != '\0') {
        form.replace.enabled[0] = true;
        form.replace.original[0] = static_cast<std::uint8_t>(pair[0]);
        form.replace.replacement[0] = static_cast<std::uint8_t>(pair[1]);
    }
    return form;
}

Lines English(const swipe::SwipeCheck& check, bool showAll = false) {
    Lines lines;
    for (const std::wstring& line : swipe::ResultLines(check, true, showAll))
        lines.push_back(settings::Utf8(line));
    return lines;
}

char StateLetter(swipe::TrackState state) {
    switch (state) {
        case swipe::TrackState::Read:
            return 'R';
        case swipe::TrackState::NoData:
            return 'N';
        case swipe::TrackState::Unreadable:
            return 'U';
    }
    return '?';
}

// The start-up form as the table rows use it (settings::DefaultSetup() itself is read in the
// first test, not while the tables are made).
const settings::Setup kStartUp = Form("%?;?+?", "123", "P");
const std::string kTrack1 = "B5217000000000002^TESTER/ANNA^2512101123";
const std::string kTrack2 = "5217000000000002=2512101123";
const std::string kBankCard =
    "%B5217000000000002^TESTER/ANNA^2512101123?;5217000000000002=2512101123?+?\r";

TEST(SwipeCheck, StartUpFormAndBankCard) {
    const settings::Setup startUp = settings::DefaultSetup();
    EXPECT_EQ(swipe::TypedFor(startUp, {kTrack1, kTrack2, ""}), kBankCard);
    EXPECT_EQ(swipe::TypedFor(Form("%?;?+?", "12", "1", "=D"), {"B1=^A^2", "1=2", ""}),
              "%B1D^A^2?\r;1D2?");
    const swipe::SwipeCheck check = swipe::CheckSwipe(startUp, kBankCard);
    EXPECT_TRUE(check.matches);
    const Lines expected = {"Track 1: %B521700******0002^TESTER/ANNA^2512101123?",
                            "Track 2: ;521700******0002=2512101123?", "Track 3: no data on track 3",
                            "Matches the format."};
    EXPECT_EQ(English(check), expected);
    EXPECT_EQ(English(check, true)[1], "Track 2: ;5217000000000002=2512101123?");
}

struct SwipeRow {
    const char* name;
    settings::Setup form;
    std::string typed;
    const char* states;  // per track: R read, N no data, U could not be read
    Lines verdict;       // the lines after the track lines
};

const SwipeRow kSwipes[] = {
    {"track 3 not typed at all", kStartUp, "%B12^A B^34?;12=34?\r", "RRN", {"Matches the format."}},
    {"track 1 unreadable", kStartUp, "%E?;12=34?+?\r", "URN", {"Matches the format."}},
    {"track 1 typed nothing", kStartUp, ";12=34?+?\r", "NRN", {"Matches the format."}},
    {"a different start sentinel",
     kStartUp,
     "#B12^A B^34?;12=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 1: the form expects the start sentinel '%', came '#'"}},
    {"start sentinel missing",
     kStartUp,
     "%B12^A B^34?09=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 2: the form expects the start sentinel ';', came none"}},
    {"an extra start sentinel",
     Form("%? ?+?", "123", "P"),
     "%B12^A B^34?;12=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 2: the form expects no start sentinel, came ';'"}},
    {"a different end sentinel",
     kStartUp,
     "%B12^A B^34!;12=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 1: the form expects the end sentinel '?', came '!'"}},
    {"a different end sentinel on a track without data",
     kStartUp,
     "%#;12=34?+?\r",
     "NRN",
     {"Differs from the format:", "Track 1: the form expects the end sentinel '?', came '#'"}},
    {"end sentinel missing",
     kStartUp,
     "%B12^A B^34?;12=39+?\r",
     "RRN",
     {"Differs from the format:", "Track 2: the form expects the end sentinel '?', came none"}},
    {"an extra end sentinel",
     Form("% ;?+?", "123", "P"),
     "%B12^A B^34?;12=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 1: the form expects no end sentinel, came '?'"}},
    {"carriage return after a track missing",
     Form("%?;?+?", "123", "123"),
     "%B12^A B^34?;12=34?\r+?\r",
     "RRN",
     {"Differs from the format:",
      "Track 1: the form expects a carriage return after the track, none came"}},
    {"an extra carriage return after a track",
     kStartUp,
     "%B12^A B^34?\r;12=34?+?\r",
     "RRN",
     {"Differs from the format:",
      "Track 1: a carriage return came after the track, the form expects none"}},
    {"carriage return after the packet missing",
     kStartUp,
     "%B12^A B^34?;12=34?+?",
     "RRN",
     {"Differs from the format:",
      "After the packet: the form expects a carriage return, none came"}},
    {"an extra carriage return after the packet",
     Form("%?;?+?", "123", "123"),
     "%B12^A B^34?\r;12=34?\r+?\r\r",
     "RRN",
     {"Differs from the format:",
      "After the packet: a carriage return came, the form expects none"}},
    {"text after the packet, masked and escaped",
     kStartUp,
     "%B12^A B^34?;12=34?+?\r;5217000000000002=25?\xFF\b",
     "RRN",
     {"Differs from the format:", "After the packet: \";521700******0002=25?\\xFF\\x08\""}},
    {"a pair replaced",
     Form("%?;?+?", "123", "P", "=D"),
     "%B12^A B^34?;12D34?+?\r",
     "RRN",
     {"Matches the format."}},
    {"a pair not replaced",
     Form("%?;?+?", "123", "P", "=D"),
     "%B12^A B^34?;12=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 2: '=' should have been replaced by 'D'"}},
    {"no sentinels but a carriage return after each track",
     Form("      ", "12", "12"),
     "B12^A B^34\r12=34\r",
     "RR",
     {"Matches the format."}},
    {"letters at both ends of the data, no sentinels around them",
     Form("    +?", "123", "12"),
     "A1^X^a\rZ1=9z\r+?",
     "RRN",
     {"Matches the format."}},
    {"no sentinels: tracks cannot be told apart",
     Form("      ", "12", "P"),
     "B12^A B^3412=34\r",
     "",
     {"The format puts nothing between two of its tracks: they cannot be told apart."}},
};

TEST(SwipeCheck, EachKindOfDifference) {
    for (const SwipeRow& row : kSwipes) {
        SCOPED_TRACE(row.name);
        const swipe::SwipeCheck check = swipe::CheckSwipe(row.form, row.typed);
        std::string states;
        for (const swipe::TrackTyped& track : check.tracks)
            states += StateLetter(track.state);
        EXPECT_EQ(states, row.states);
        const Lines lines = English(check);
        EXPECT_EQ(Lines(lines.begin() + static_cast<long>(check.tracks.size()), lines.end()),
                  row.verdict);
        EXPECT_EQ(check.matches, row.verdict[0] == "Matches the format.");
        EXPECT_TRUE(check.layout.empty());
    }
}

// Both pairs replacing '=': the first one does, and the check expects what it made.
TEST(SwipeCheck, FirstPairWinsWhereBothHaveOneOriginal) {
    settings::Setup form = Form("%?;?+?", "2", "", "=D");
    form.replace.enabled[1] = true;
    form.replace.original[1] = '=';
    form.replace.replacement[1] = 'F';
    EXPECT_EQ(swipe::TypedFor(form, {"", "1=2", ""}), ";1D2?");
    EXPECT_TRUE(swipe::CheckSwipe(form, ";1D2?").matches);
}

TEST(SwipeCheck, TrackLinesOfNoDataAndUnreadableTracks) {
    const swipe::SwipeCheck check = swipe::CheckSwipe(kStartUp, "%E?;?+?\r");
    const Lines expected = {"Track 1: track 1 could not be read", "Track 2: no data on track 2",
                            "Track 3: no data on track 3", "Matches the format."};
    EXPECT_EQ(English(check), expected);
    EXPECT_EQ(check.tracks[0].typed, "%E?");
    EXPECT_EQ(check.tracks[1].typed, ";?");
}

// The same swipe (with '#' opening track 3, which the UK layout moves) through each layout.
TEST(SwipeCheck, EachLayoutIsNamed) {
    const char* const kNames[][2] = {{"German", "德语"},
                                     {"French (AZERTY)", "法语 (AZERTY)"},
                                     {"Turkish (Q)", "土耳其语 (Q)"},
                                     {"Spanish", "西班牙语"},
                                     {"UK English", "英语（英国）"}};
    const settings::Setup form = Form("%?;?#?", "123", "P");
    const std::string us = swipe::TypedFor(form, {kTrack1, kTrack2, ""});
    ASSERT_EQ(swipe::CommonLayoutCount(), std::size(kNames));
    for (std::size_t i = 0; i < swipe::CommonLayoutCount(); ++i) {
        SCOPED_TRACE(kNames[i][0]);
        const std::string typed = swipe::ThroughLayout(swipe::CommonLayouts()[i], us);
        const swipe::SwipeCheck check = swipe::CheckSwipe(form, typed);
        EXPECT_EQ(check.layout, kNames[i][0]);
        const std::string chinese = settings::Utf8(swipe::ResultLines(check, false, false).back());
        EXPECT_NE(chinese.find(kNames[i][1]), std::string::npos);
        EXPECT_FALSE(check.matches);
        EXPECT_TRUE(check.differences.empty());
    }
}

TEST(SwipeCheck, TurkishTillAsSeen) {
    const std::string typed =
        "%B5217000000000002&TESTER.ANNAçMR&2512101123:ş5217000000000002-2512101123:_:\r";
    const swipe::SwipeCheck check = swipe::CheckSwipe(kStartUp, typed);
    const Lines expected = {
        "Track 1: %B521700******0002^TESTER/ANNA.MR^2512101123?",
        "Track 2: ;521700******0002=2512101123?", "Track 3: no data on track 3",
        "The characters are those of a US keyboard read through the Turkish (Q) layout: set the "
        "till's keyboard layout to English (US)."};
    EXPECT_EQ(English(check), expected);
    EXPECT_EQ(
        settings::Utf8(swipe::ResultLines(check, false, false)[3]),
        "这些字符是美式键盘经土耳其语 (Q)布局读入的结果：请将收银机的键盘布局设为英语（美国）。");
}

TEST(SwipeTexts, ChineseLines) {
    const swipe::SwipeCheck check = swipe::CheckSwipe(kStartUp, "%E?12=34?\r");
    std::vector<std::string> lines;
    for (const std::wstring& line : swipe::ResultLines(check, false, false))
        lines.push_back(settings::Utf8(line));
    const Lines expected = {"轨道 1：轨道 1 无法读取", "轨道 2：12=34?", "轨道 3：轨道 3 无数据",
                            "与格式不符：", "轨道 2：格式要求起始符 ';'，未收到"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(std::wstring(swipe::WaitingText(true)), L"Waiting for a swipe...");
    EXPECT_EQ(std::wstring(swipe::WaitingText(false)), L"等待刷卡...");
}

TEST(SwipeCheck, ReturnsPerSwipe) {
    EXPECT_EQ(swipe::ReturnsPerSwipe(kStartUp), 1);
    EXPECT_EQ(swipe::ReturnsPerSwipe(Form("%?;?+?", "13", "123")), 2);
    EXPECT_EQ(swipe::ReturnsPerSwipe(Form("%?;?+?", "123", "")), 0);
}

struct MaskRow {
    const char* name;
    std::string text;
    std::string masked;
};

const MaskRow kMasks[] = {
    {"11 digits stay", "x52170000002x", "x52170000002x"},
    {"12 digits", "x521700000002x", "x521700**0002x"},
    {"19 digits, at the end", "x5217000000000000002", "x521700*********0002"},
    {"20 digits stay", "52170000000000000002", "52170000000000000002"},
    {"between garbled separators", "ş5217000000000002-25", "ş521700******0002-25"},
    {"after a byte that starts no character",
     "\xFF"
     "521700000002",
     "\xFF"
     "521700**0002"},
    {"AZERTY digits", "(é&èàààààààààààé=", "(é&èàà******àààé="},
};

TEST(CardMask, RunsOfTwelveToNineteenDigits) {
    for (const MaskRow& row : kMasks) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(swipe::MaskCardNumbers(row.text), row.masked);
    }
}

TEST(SwipeTexts, CaptureHidesNothingTheReaderSends) {
    const std::string typed = "%B5217000000000002?\r\b";
    EXPECT_EQ(swipe::CaptureText(typed, false), L"%B521700******0002?\u21B5\r\n\\x08");
    EXPECT_EQ(swipe::CaptureText(typed, true), L"%B5217000000000002?\u21B5\r\n\\x08");
    EXPECT_EQ(swipe::CaptureText("\xFFx\x1B", true), L"\\xFFx\\x1B");
    EXPECT_EQ(swipe::CaptureText("A B", true), L"A B");  // a blank is printable
}

// What zp350cli swipe prints for scripts: one JSON object, numbers masked unless asked for.
TEST(SwipeOutput, JsonForScripts) {
    const settings::Setup form = settings::DefaultSetup();
    const std::string matching =
        "%B5217000000000002^TEST/CARD^2512101?;5217000000000002=2512101?\r";
    const std::string turkish =
        "%B5217000000000002&TEST.CARD&2512101:\xC5\x9F"
        "5217000000000002-2512101:\r";
    const struct {
        const char* name;
        std::string typed;
        bool showAll;
        std::string json;
    } cases[] = {
        {"matching, masked", matching, false,
         "{\"tracks\": [{\"track\": 1, \"state\": \"read\", \"typed\": "
         "\"%B521700******0002^TEST/CARD^2512101?\"}, {\"track\": 2, \"state\": \"read\", "
         "\"typed\": \";521700******0002=2512101?\"}, {\"track\": 3, \"state\": \"no data\", "
         "\"typed\": \"\"}], \"matches\": true, \"layout\": null, \"tracksApart\": true, "
         "\"differences\": []}\n"},
        {"two differences, in full", "#B5217000000000002^TEST/CARD^2512101!" + matching.substr(37),
         true,
         "{\"tracks\": [{\"track\": 1, \"state\": \"read\", \"typed\": "
         "\"#B5217000000000002^TEST/CARD^2512101!\"}, {\"track\": 2, \"state\": \"read\", "
         "\"typed\": \";5217000000000002=2512101?\"}, {\"track\": 3, \"state\": \"no data\", "
         "\"typed\": \"\"}], \"matches\": false, \"layout\": null, \"tracksApart\": true, "
         "\"differences\": [\"Track 1: the form expects the start sentinel '%', came '#'\", "
         "\"Track 1: the form expects the end sentinel '?', came '!'\"]}\n"},
        {"a keyboard layout", turkish, false,
         "{\"tracks\": [{\"track\": 1, \"state\": \"read\", \"typed\": "
         "\"%B521700******0002^TEST/CARD^2512101?\"}, {\"track\": 2, \"state\": \"read\", "
         "\"typed\": \";521700******0002=2512101?\"}, {\"track\": 3, \"state\": \"no data\", "
         "\"typed\": \"\"}], \"matches\": false, \"layout\": \"Turkish (Q)\", \"tracksApart\": "
         "true, \"differences\": [\"The characters are those of a US keyboard read through the "
         "Turkish (Q) layout: set the till's keyboard layout to English (US).\"]}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cli::SwipeJson(swipe::CheckSwipe(form, c.typed), c.showAll), c.json);
    }
}

// The swipe test window says what it checks against: the form, and its enabled pairs.
TEST(SwipeTexts, TheWindowNamesTheFormsPairs) {
    const std::wstring english =
        L"Swipe a card: what the reader types is checked against the settings window's form as "
        L"it stands. Replacement pairs: ";
    settings::Setup form = settings::DefaultSetup();
    EXPECT_EQ(swipe::FormNote(form, true), english + L"none enabled.");
    form.replace.enabled[1] = true;
    form.replace.original[1] = 'a';
    form.replace.replacement[1] = 'x';
    EXPECT_EQ(swipe::FormNote(form, false),
              L"请刷卡：读卡器输入的内容将按设置窗口中当前的格式检查。替换字符：a\u2192x。");
    form.replace.enabled[0] = true;
    form.replace.original[0] = 'b';
    form.replace.replacement[0] = 'y';
    EXPECT_EQ(swipe::FormNote(form, true), english + L"b\u2192y, a\u2192x.");
    form.replace.replacement[0] = std::nullopt;  // half a pair is not one
    EXPECT_EQ(swipe::FormNote(form, true), english + L"a\u2192x.");
}

}  // namespace
