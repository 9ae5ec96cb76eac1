// The swipe check: swipes taken apart against the form and the lines the window shows for
// them, swipes read through each keyboard layout and with Caps Lock, the card checked against
// itself, the reader's typing, when a swipe is complete. Card numbers are invented.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "card_text_printer.h"
#include "cli/swipe_output.h"
#include "settings/utf8.h"
#include "swipe/dialog_texts.h"
#include "swipe/input_text.h"
#include "swipe/keyboard_layouts.h"
#include "swipe/swipe_capture.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"

namespace {

using Lines = std::vector<std::string>;
using swipe::CardText;

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

Lines Utf8Lines(const std::vector<swipe::CardWide>& wide) {
    Lines lines;
    for (const swipe::CardWide& line : wide)
        lines.push_back(settings::Utf8(line));
    return lines;
}

Lines English(const swipe::SwipeCheck& check, bool showAll = false) {
    return Utf8Lines(swipe::ResultLines(check, true, swipe::ShowRule{showAll, {}}));
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
const CardText kTrack1 = "B5217000000000008^TESTER/ANNA^2512101123";
const CardText kTrack2 = "5217000000000008=2512101123";
const std::string kBankCard =
    "%B5217000000000008^TESTER/ANNA^2512101123?;5217000000000008=2512101123?+?\r";

TEST(SwipeCheck, StartUpFormAndBankCard) {
    const settings::Setup startUp = settings::DefaultSetup();
    EXPECT_EQ(swipe::TypedFor(startUp, {kTrack1, kTrack2, ""}), kBankCard);
    EXPECT_EQ(swipe::TypedFor(Form("%?;?+?", "12", "1", "=D"), {"B1=^A^2", "1=2", ""}),
              "%B1D^A^2?\r;1D2?");
    const swipe::SwipeCheck check = swipe::CheckSwipe(startUp, kBankCard);
    EXPECT_TRUE(check.matches);
    // The number keeps its first six and last four; the data after the expiry date and the
    // service code is hidden whole.
    const Lines expected = {"Track 1: %B521700******0008^TESTER/ANNA^**********?",
                            "Track 2: ;521700******0008=**********?", "Track 3: no data on track 3",
                            "Matches the format."};
    EXPECT_EQ(English(check), expected);
    EXPECT_EQ(English(check, true)[1], "Track 2: ;5217000000000008=2512101123?");
}

struct SwipeRow {
    const char* name;
    settings::Setup form;
    std::string typed;
    const char* states;  // per track: R read, N no data, U could not be read
    Lines verdict;       // the lines after the track lines
};

const SwipeRow kSwipes[] = {
    {"track 3 not typed at all",
     kStartUp,
     "%B12^A B^34?;12=34?\r",
     "RRN",
     {"Agrees with the format as far as this swipe shows:",
      "Track 3: nothing came for it; a card without track 3 types the same, so whether the "
      "reader outputs it was not seen."}},
    {"track 1 unreadable", kStartUp, "%E?;12=34?+?\r", "URN", {"Matches the format."}},
    {"track 1 typed nothing",
     kStartUp,
     ";12=34?+?\r",
     "NRN",
     {"Agrees with the format as far as this swipe shows:",
      "Track 1: nothing came for it; a card without track 1 types the same, so whether the "
      "reader outputs it was not seen."}},
    {"a different start sentinel",
     kStartUp,
     "#B12^A B^34?;12=34?+?\r",
     "RRN",
     {"Differs from the format:",
      "Track 1: the reader's start sentinel is '#', the form's is '%'"}},
    {"start sentinel missing",
     kStartUp,
     "%B12^A B^34?09=34?+?\r",
     "RRN",
     {"Differs from the format:",
      "Track 2: the reader sends no start sentinel, the form's is ';'"}},
    {"an extra start sentinel",
     Form("%? ?+?", "123", "P"),
     "%B12^A B^34?;12=34?+?\r",
     "RRN",
     {"Differs from the format:",
      "Track 2: the reader's start sentinel is ';', the form has none"}},
    {"a different end sentinel",
     kStartUp,
     "%B12^A B^34!;12=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 1: the reader's end sentinel is '!', the form's is '?'"}},
    {"a different end sentinel on a track without data",
     kStartUp,
     "%#;12=34?+?\r",
     "NRN",
     {"Differs from the format:", "Track 1: the reader's end sentinel is '#', the form's is '?'"}},
    {"end sentinel missing",
     kStartUp,
     "%B12^A B^34?;12=39+?\r",
     "RRN",
     {"Differs from the format:", "Track 2: the reader sends no end sentinel, the form's is '?'"}},
    {"an extra end sentinel",
     Form("% ;?+?", "123", "P"),
     "%B12^A B^34?;12=34?+?\r",
     "RRN",
     {"Differs from the format:", "Track 1: the reader's end sentinel is '?', the form has none"}},
    {"a check character after an end sentinel, the tracks after it found",
     kStartUp,
     "%B12^A B^34?\x7F;12=34?+?\r",
     "RRN",
     {"Differs from the format:",
      "Track 1: an extra character '\\x7f' came after the end sentinel (a check character the "
      "reader sends)"}},
    {"a check character before the carriage return",
     Form("%?;?+?", "12", "12"),
     "%B12^A B^34?\r;12=34?5\r",
     "RR",
     {"Differs from the format:",
      "Track 2: an extra character '*' came after the end sentinel (a check character the "
      "reader sends)"}},
    {"a check character at the end of the last track",
     Form("%?;?+?", "12", ""),
     "%B12^A B^34?;12=34?7",
     "RR",
     {"Differs from the format:",
      "Track 2: an extra character '*' came after the end sentinel (a check character the "
      "reader sends)"}},
    {"carriage return after a track missing",
     Form("%?;?+?", "123", "123"),
     "%B12^A B^34?;12=34?\r+?\r",
     "RRN",
     {"Differs from the format:",
      "Carriage returns: the reader sends one after tracks 2 and 3; the form asks for one "
      "after tracks 1, 2 and 3."}},
    {"an extra carriage return after a track",
     kStartUp,
     "%B12^A B^34?\r;12=34?+?\r",
     "RRN",
     {"Differs from the format:",
      "Carriage returns: the reader sends one after tracks 1 and 3; the form asks for one "
      "after the packet."}},
    {"carriage return after the packet missing",
     kStartUp,
     "%B12^A B^34?;12=34?+?",
     "RRN",
     {"Differs from the format:",
      "Carriage returns: the reader sends none; the form asks for one after the packet."}},
    {"an extra carriage return after the packet",
     Form("%?;?+?", "123", "123"),
     "%B12^A B^34?\r;12=34?\r+?\r\r",
     "RRN",
     {"Differs from the format:", "After the packet: \"\\r\""}},
    {"text after the packet, masked and escaped",
     kStartUp,
     "%B12^A B^34?;12=34?+?\r;5217000000000008=25?\xFF\b",
     "RRN",
     {"Differs from the format:", "After the packet: \";****************=**?\\xff\\x08\""}},
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
    {"no sentinels: tracks cannot be told apart",
     Form("      ", "12", "P"),
     "B12^A B^3412=34\r",
     "",
     {"The format puts nothing between two of its tracks: they cannot be told apart."}},
    {"Caps Lock alone",
     kStartUp,
     "%b12^a b^34?;12=34?+?\r",
     "RRN",
     {"Track 1 came in small letters: Caps Lock is on. Turn Caps Lock off on the till and swipe "
      "again."}},
    {"Caps Lock and a difference",
     kStartUp,
     "%b12^a b^34!;12=34?+?\r",
     "RRN",
     {"Differs from the format:",
      "Track 1 came in small letters: Caps Lock is on. Turn Caps Lock off on the till and swipe "
      "again.",
      "Track 1: the reader's end sentinel is '!', the form's is '?'"}},
    {"Caps Lock with a layout",
     kStartUp,
     "%b4000123412341234&tester-anna&2512101_Ö4000123412341234´2512101_`_\r",
     "RRN",
     {"Track 1 came in small letters and the characters are those of a US keyboard read through "
      "the German or Swedish/Finnish layout: turn Caps Lock off and set the till's keyboard "
      "layout to English (US)."}},
    {"a pair that writes a small letter is no Caps Lock",
     Form("%?;?+?", "1", "P", "Bb"),
     "%b12^A^34!\r",
     "R",
     {"Differs from the format:", "Track 1: the reader's end sentinel is '!', the form's is '?'"}},
    {"two layouts that type the swipe alike",
     Form("%?;?+?", "1", "P"),
     "%B4000123412341234&TESTER-ANNA&2512101_\r",
     "R",
     {"The characters are those of a US keyboard read through the German, Swiss German, "
      "Spanish, Latin American, Italian, Portuguese, Danish, Norwegian or Swedish/Finnish "
      "layout: set the till's keyboard layout to English (US)."}},
    {"track 1 and track 2 hold different numbers",
     kStartUp,
     "%B4000123412341234^A^2512101?;4000123412341242=2512101?+?\r",
     "RRN",
     {"The format matches, but the card disagrees with itself:",
      "Track 1 and track 2 hold different card numbers (400012******1234, 400012******1242): "
      "likely a misread, swipe again."}},
    {"a bank card's number failing its check digit",
     kStartUp,
     "%E?;4000123412341235=2512101?+?\r",
     "URN",
     {"The format matches, but the card disagrees with itself:",
      "Track 2: the card number 400012******1235 fails its check digit: likely a misread, swipe "
      "again."}},
    {"a bank card's shortest number failing its check digit",
     kStartUp,
     "%E?;400012341235=2512101?+?\r",
     "URN",
     {"The format matches, but the card disagrees with itself:",
      "Track 2: the card number 400012**1235 fails its check digit: likely a misread, swipe "
      "again."}},
    {"the same number on both tracks failing its check digit, named once",
     kStartUp,
     "%B4000123412341235^A^2512101?;4000123412341235=2512101?+?\r",
     "RRN",
     {"The format matches, but the card disagrees with itself:",
      "Track 1: the card number 400012******1235 fails its check digit: likely a misread, swipe "
      "again."}},
    {"no check digit asked of a number that is no bank card's",
     kStartUp,
     "%?;6360001234567890=2512101?+?\r",
     "NRN",
     {"Matches the format."}},
};

TEST(SwipeCheck, EachKindOfVerdict) {
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
    const Lines expected = {
        "Track 1: track 1 could not be read", "Track 2: no data on track 2",
        "Track 3: no data on track 3", "Agrees with the format as far as this swipe shows:",
        "No track held data: the swipe does not show which tracks the reader outputs."};
    EXPECT_EQ(English(check), expected);
    EXPECT_EQ(check.tracks[0].typed, "%E?");
    EXPECT_EQ(check.tracks[1].typed, ";?");
}

// A bank card with all three tracks ('#' opening track 3) through each layout, Caps Lock off
// and on: the layout is among those named, by its name in either language, and Caps Lock is
// said exactly when it was on.
TEST(SwipeCheck, EachLayoutIsNamedWithOrWithoutCapsLock) {
    const settings::Setup form = Form("%?;?#?", "123", "P");
    const CardText us = swipe::TypedFor(form, {kTrack1, kTrack2, "01521700000000000080=0123"});
    ASSERT_EQ(swipe::NamedLayouts().size(), 17u);
    for (const swipe::KeyboardLayout& layout : swipe::NamedLayouts()) {
        for (const bool capsLock : {false, true}) {
            SCOPED_TRACE(testing::Message() << layout.english << (capsLock ? ", Caps Lock" : ""));
            const swipe::SwipeCheck check =
                swipe::CheckSwipe(form, swipe::TypeThrough(layout, capsLock, us));
            EXPECT_NE(std::find(check.layouts.begin(), check.layouts.end(), &layout),
                      check.layouts.end());
            EXPECT_EQ(check.capsLock, capsLock);
            EXPECT_FALSE(check.matches);
            EXPECT_TRUE(check.differences.empty());
            const Lines chinese =
                Utf8Lines(swipe::ResultLines(check, false, swipe::ShowRule{false, {}}));
            EXPECT_NE(chinese.back().find(layout.chinese), std::string::npos) << chinese.back();
        }
    }
}

// What a layout types, as Windows types it: dead keys composed with the next character, the
// accent alone before a blank, accent and character where it takes none; Caps Lock on letter
// keys only.
TEST(KeyboardLayouts, DeadKeysAndCapsLockAsWindowsTypesThem) {
    const auto named = [](const char* english) {
        for (const swipe::KeyboardLayout& layout : swipe::NamedLayouts())
            if (std::string(layout.english) == english)
                return layout;
        return swipe::UsLayout();
    };
    const struct {
        const char* layout;
        bool capsLock;
        const char* us;
        const char* typed;
    } cases[] = {
        {"German", false, "=2=e= ",
         "\xC2\xB4"
         "2\xC3\xA9\xC2\xB4"},
        {"French", false, "[e[t1!", "\xC3\xAA^t&1"},
        {"French", true, "[E1qm", "\xC3\xAA&A,"},
        {"Czech", false, "1!\\u", "+1\xC3\xBC"},
        {"Turkish (Q)", true, "i;", "I\xC5\x9E"},
        {"US Dvorak", false, "qwerty", "',.pyf"},
        {"English (US)", true, "Track 1", "tRACK 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layout << ' ' << c.us);
        const swipe::KeyboardLayout layout = named(c.layout);
        const CardText typed = swipe::TypeThrough(layout, c.capsLock, c.us);
        EXPECT_EQ(typed, c.typed);
        // Back to the keys, but for the blank after a dead key.
        CardText us = c.us;
        if (std::string(c.us) == "=2=e= ")
            us = "=2=e=";
        EXPECT_EQ(swipe::UndoLayout(layout, c.capsLock, typed), us);
    }
}

TEST(SwipeCheck, TurkishTillAsSeen) {
    const std::string typed =
        "%B5217000000000008&TESTER.ANNAçMR&2512101123:ş5217000000000008-2512101123:_:\r";
    const swipe::SwipeCheck check = swipe::CheckSwipe(kStartUp, typed);
    const Lines expected = {
        "Track 1: %B521700******0008^TESTER/ANNA.MR^**********?",
        "Track 2: ;521700******0008=**********?", "Track 3: no data on track 3",
        "The characters are those of a US keyboard read through the Turkish (Q) layout: set the "
        "till's keyboard layout to English (US)."};
    EXPECT_EQ(English(check), expected);
    EXPECT_EQ(
        Utf8Lines(swipe::ResultLines(check, false, swipe::ShowRule{false, {}}))[3],
        "这些字符是美式键盘经土耳其语 (Q)布局读入的结果：请将收银机的键盘布局设为英语（美国）。");
}

TEST(SwipeTexts, ChineseLines) {
    const swipe::SwipeCheck check = swipe::CheckSwipe(kStartUp, "%b1^a^2?12=34?\r");
    const Lines expected = {
        "轨道 1：%B*^A^*?",
        "轨道 2：**=**?",
        "轨道 3：轨道 3 无数据",
        "与格式不符：",
        "轨道 1 为小写字母：大写锁定已打开。请关闭收银机的大写锁定后重新刷卡。",
        "轨道 2：读卡器不发送起始符，格式为 ';'",
        "轨道 3：未收到任何内容；没有轨道 3 的卡也是如此，因此未能看出读卡器是否输出该轨道。"};
    EXPECT_EQ(Utf8Lines(swipe::ResultLines(check, false, swipe::ShowRule{false, {}})), expected);
    EXPECT_EQ(std::wstring(swipe::WaitingText(true, false)), L"Waiting for a swipe...");
    EXPECT_EQ(std::wstring(swipe::WaitingText(false, false)), L"等待刷卡...");
    EXPECT_EQ(std::wstring(swipe::WaitingText(true, true)),
              L"Caps Lock is on: turn it off before you swipe, or track 1 comes in small "
              L"letters.");
}

// A swipe is complete when the reader stops typing (the pause), whatever carriage returns
// came before; an Enter or blanks alone are none, and the capture waits on.
TEST(SwipeCapture, ASwipeEndsAtThePause) {
    using Step = swipe::SwipeCapture::Step;
    const struct {
        const char* name;
        const wchar_t* keys;  // '|' stands for the pause
        std::vector<Step> steps;
        const wchar_t* typed;  // what is captured at the end
    } cases[] = {
        {"a return after each track, then the pause",
         L"%B1?\r;1?\r|",
         {Step::Complete},
         L"%B1?\r;1?\r"},
        {"no return", L"%B1?|", {Step::Complete}, L"%B1?"},
        {"an Enter alone", L"\r|", {Step::Nothing}, L""},
        {"blanks and an Enter", L" \t\r|", {Step::Nothing}, L""},
        {"the pause before any key", L"|", {Step::Nothing}, L""},
        {"the swipe after an Enter alone", L"\r|;1?\r|", {Step::Nothing, Step::Complete}, L";1?\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        swipe::SwipeCapture capture;
        std::vector<Step> steps;
        for (const wchar_t* key = c.keys; *key != L'\0'; ++key) {
            if (*key == L'|')
                steps.push_back(capture.Pause());
            else
                capture.Add(*key);
        }
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(capture.Typed(), c.typed);
    }
}

// The text read to its end and no further: a swipe in a buffer of its own size.
TEST(SwipeCheck, ReadsNoFurtherThanTheText) {
    for (const std::string text : {"%B1^AAAA", "%B1^A^", ";1=", "%B1^A^2"}) {
        SCOPED_TRACE(text);
        const std::vector<char> exact(text.begin(), text.end());
        const swipe::SwipeCheck check =
            swipe::CheckSwipe(kStartUp, std::string_view(exact.data(), exact.size()));
        EXPECT_FALSE(check.matches);
        EXPECT_TRUE(swipe::SplitSwipes(std::string_view(exact.data(), exact.size())).size() <= 1);
    }
}

// Swipes of a file: one per line, between blank lines, or one after another with nothing
// between them; a swipe over several lines (a return after each track) stays whole.
TEST(SwipeInput, SwipesOfAFileAreSplitWhereOneEnds) {
    const std::string one = "%B1^A^2?;1=2?+0123?";
    const std::string two = "%B3^B^4?;3=4?";
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> swipes;
    } cases[] = {
        {"one per line", one + "\r" + two + "\r", {one + "\r", two + "\r"}},
        {"blank lines between", one + "\r\r \r" + two, {one + "\r", two}},
        {"nothing between", one + two, {one, two}},
        {"a return after each track",
         "%B1^A^2?\r;1=2?\r%B3^B^4?\r;3=4?\r",
         {"%B1^A^2?\r;1=2?\r", "%B3^B^4?\r;3=4?\r"}},
        {"track 2 alone, twice", ";1=2?\r;3=4?\r", {";1=2?\r", ";3=4?\r"}},
        {"track 2 alone, twice, data that may be track 3",
         ";123=4?\r;567=8?\r",
         {";123=4?\r", ";567=8?\r"}},
        {"tracks 2 and 3 of one swipe", ";123=4?+567=8?\r", {";123=4?+567=8?\r"}},
        {"no end sentinels, nothing between",
         "%B1^A^2;1=2%B3^B^4;3=4",
         {"%B1^A^2;1=2", "%B3^B^4;3=4"}},
        {"no sentinels, one per line", "B1^A^2\rB3^B^4\r", {"B1^A^2\r", "B3^B^4\r"}},
        {"no data: one swipe", "%E?;E?+E?\r%E?;E?+E?\r", {"%E?;E?+E?\r%E?;E?+E?\r"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> got;
        for (const CardText& swipe : swipe::SplitSwipes(c.text))
            got.emplace_back(swipe.view());
        EXPECT_EQ(got, c.swipes);
    }
}

// What zp350cli swipe prints for scripts: one JSON object per swipe, numbers masked unless
// asked for.
TEST(SwipeOutput, JsonForScripts) {
    const settings::Setup form = settings::DefaultSetup();
    const std::string matching =
        "%B5217000000000008^TEST/CARD^2512101?;5217000000000008=2512101?\r";
    const struct {
        const char* name;
        std::string typed;
        bool showAll;
        std::string json;
    } cases[] = {
        {"matching but for track 3, masked", matching, false,
         "{\"swipe\": 1, \"tracks\": [{\"track\": 1, \"state\": \"read\", \"typed\": "
         "\"%B521700******0008^TEST/CARD^*******?\"}, {\"track\": 2, \"state\": \"read\", "
         "\"typed\": \";521700******0008=*******?\"}, {\"track\": 3, \"state\": \"no data\", "
         "\"typed\": \"\"}], \"reader\": {\"tracks\": [{\"track\": 1, \"start\": \"%\", "
         "\"end\": \"?\", \"returnAfter\": false}, {\"track\": 2, \"start\": \";\", \"end\": "
         "\"?\", \"returnAfter\": false}], \"returnAfterPacket\": true}, \"matches\": false, "
         "\"agreesSoFar\": true, \"layouts\": [], \"capsLock\": false, \"tracksApart\": true, "
         "\"differences\": [], \"unseen\": [\"Track 3: nothing came for it; a card without track "
         "3 types the same, so whether the reader outputs it was not seen.\"]}\n"},
        {"two differences, in full", "#B5217000000000008^TEST/CARD^2512101!" + matching.substr(37),
         true,
         "{\"swipe\": 1, \"tracks\": [{\"track\": 1, \"state\": \"read\", \"typed\": "
         "\"#B5217000000000008^TEST/CARD^2512101!\"}, {\"track\": 2, \"state\": \"read\", "
         "\"typed\": \";5217000000000008=2512101?\"}, {\"track\": 3, \"state\": \"no data\", "
         "\"typed\": \"\"}], \"reader\": {\"tracks\": [{\"track\": 1, \"start\": \"#\", "
         "\"end\": \"!\", \"returnAfter\": false}, {\"track\": 2, \"start\": \";\", \"end\": "
         "\"?\", \"returnAfter\": false}], \"returnAfterPacket\": true}, \"matches\": false, "
         "\"agreesSoFar\": false, \"layouts\": [], \"capsLock\": false, \"tracksApart\": true, "
         "\"differences\": [\"Track 1: the reader's start sentinel is '#', the form's is '%'\", "
         "\"Track 1: the reader's end sentinel is '!', the form's is '?'\"], \"unseen\": "
         "[\"Track 3: nothing came for it; a card without track 3 types the same, so whether the "
         "reader outputs it was not seen.\"]}\n"},
        {"all three tracks, a control character as JSON escapes it", "%B1^A\x01^2?;1=2?+0123?\r",
         false,
         "{\"swipe\": 1, \"tracks\": [{\"track\": 1, \"state\": \"read\", \"typed\": "
         "\"%B*^A\\u0001^*?\"}, {\"track\": 2, \"state\": \"read\", \"typed\": \";*=*?\"}, "
         "{\"track\": 3, \"state\": \"read\", \"typed\": \"+****?\"}], \"reader\": "
         "{\"tracks\": [{\"track\": 1, \"start\": \"%\", \"end\": \"?\", \"returnAfter\": "
         "false}, {\"track\": 2, \"start\": \";\", \"end\": \"?\", \"returnAfter\": false}, "
         "{\"track\": 3, \"start\": \"+\", \"end\": \"?\", \"returnAfter\": false}], "
         "\"returnAfterPacket\": true}, \"matches\": true, \"agreesSoFar\": false, "
         "\"layouts\": [], \"capsLock\": false, \"tracksApart\": true, \"differences\": [], "
         "\"unseen\": []}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cli::SwipeJson(swipe::CheckSwipe(form, c.typed), swipe::ShowRule{c.showAll, {}}),
                  c.json);
    }
}

// Several swipes of one file: each numbered, after a blank line.
TEST(SwipeOutput, SeveralSwipesAreNumbered) {
    const swipe::SwipeCheck check = swipe::CheckSwipe(kStartUp, "%E?;?+?\r");
    EXPECT_EQ(cli::SwipeText(check, swipe::ShowRule{}, 2, 3),
              "\nSwipe 2 of 3:\nTrack 1: track 1 could not be read\nTrack 2: no data on track "
              "2\nTrack 3: no data on track 3\nAgrees with the format as far as this swipe "
              "shows:\nNo track held data: the swipe does not show which tracks the reader "
              "outputs.\n");
    EXPECT_EQ(cli::SwipeText(check, swipe::ShowRule{}).substr(0, 8), "Track 1:");
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
