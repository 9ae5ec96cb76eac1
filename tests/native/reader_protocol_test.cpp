// Command reports and answer judging of the reader protocol; the name of a reader's turn;
// which transfer errors mean the reader was pulled out.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "reader/protocol.h"
#include "reader/transfer_errors.h"
#include "reader/turn_name.h"

using namespace reader;
using namespace std::string_literals;

namespace {

const FormatSettings kDefaultForm{{'%', '?', ';', '?', '+', '?'}, {true, true, true}, {}, true};

const auto Of = [](const std::string& text) { return Bytes(text.begin(), text.end()); };

// The default form, framed and zero-filled. Each command's shortest
// report; the lengths a device must serve for it (output, then input).
TEST(CommandReport, FramesAndLengthBoundsPerCommand) {
    Bytes expected = Of("\0\2\60%?;?+?78\3"s);
    expected.resize(65);
    EXPECT_EQ(BuildCommandReport(ReaderCommand::SetFormat, FormatPayload(kDefaultForm), 65),
              expected);
    EXPECT_EQ(BuildCommandReport(ReaderCommand::QueryVersion, {}, 4), Of("\0\2\5\3"s));
    EXPECT_EQ(BuildCommandReport(ReaderCommand::CancelReplace, {}, 6), Of("\0\2\62\3\0\0"s));
    EXPECT_EQ(BuildCommandReport(ReaderCommand::SetReplace, Of("abcd"), 8), Of("\0\2\61abcd\3"s));
    EXPECT_TRUE(BuildCommandReport(ReaderCommand::QueryVersion, {}, 3).empty());
    EXPECT_TRUE(BuildCommandReport(ReaderCommand::SetFormat, Bytes(8, 0x41), 11).empty());
    using C = ReaderCommand;
    const struct {
        const char* name;
        C command;
        std::size_t minimum;
    } cases[] = {
        {"set format", C::SetFormat, 12},
        {"set replace", C::SetReplace, 8},
        {"cancel replace", C::CancelReplace, 4},
        {"query version", C::QueryVersion, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MinimumOutputLength(c.command), c.minimum);
        EXPECT_FALSE(ReportLengthsServed(c.command, c.minimum - 1, 65));
        EXPECT_TRUE(ReportLengthsServed(c.command, c.minimum, 65));
        EXPECT_TRUE(ReportLengthsServed(c.command, 65, 1));
        EXPECT_TRUE(ReportLengthsServed(c.command, 65, 1024));
        EXPECT_FALSE(ReportLengthsServed(c.command, 65, 1025));
        EXPECT_FALSE(ReportLengthsServed(c.command, 65, 0));
    }
}

// Sentinels, then the track digit (tracks 1, 2, 3 weigh 1, 2, 4), then the carriage-return
// digit (8 for the whole packet, else tracks 1, 2, 3 weigh 4, 2, 1); an empty box is 0xFF.
// The default form's payload is in the report above.
TEST(FormatPayload, KnownForms) {
    const std::optional<std::uint8_t> none;
    const struct {
        const char* name;
        FormatSettings form;
        std::string payload;
    } cases[] = {
        {"track 1, a return after it",
         {{'%', '?', ';', '?', '+', '?'}, {true, false, false}, {true, false, false}, false},
         "%?;?+?14"},
        {"track 2, a return after it",
         {{'%', '?', ';', '?', '+', '?'}, {false, true, false}, {false, true, false}, false},
         "%?;?+?22"},
        {"track 3, a return after it",
         {{'%', '?', ';', '?', '+', '?'}, {false, false, true}, {false, false, true}, false},
         "%?;?+?41"},
        {"tracks 1 and 3, no return",
         {{'A', 'b', '#', '~', '=', '!'}, {true, false, true}, {}, false},
         "Ab#~=!50"},
        {"the packet's return wins over the tracks'",
         {{'%', '?', ';', '?', '+', '?'}, {false, true, true}, {true, true, true}, true},
         "%?;?+?68"},
        {"empty sentinels",
         {{none, '?', none, '?', '+', none}, {true}, {}, false},
         "\xFF?\xFF?+\xFF"
         "10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatPayload(c.form), Of(c.payload));
    }
}

// Byte 3 decides when there is one.
TEST(AnswerVerdict, ByteThreeDecides) {
    const std::pair<std::string, Verdict> cases[] = {{"\0\2\60Y"s, Verdict::Accepted},
                                                     {"\0\2\60N\3"s, Verdict::Refused},
                                                     {"YYY", Verdict::Other}};
    for (const auto& [answer, verdict] : cases)
        EXPECT_EQ(JudgeAnswer(Of(answer).data(), answer.size()), verdict) << answer.size();
}

TEST(VersionText, TakenBetweenStartAndEndBytesAndCutAtTwentyNineCharacters) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN";
    const std::pair<std::string, std::string> cases[] = {
        {"\0\2\5V1.2\3\0"s, "V1.2"},
        // A second 0x05 inside a run is copied; runs are joined; 0x03 first does nothing.
        {"\3\5a\5b\3x\5c\3"s, "a\5bc"},
        {"\0\5ab"s, "ab"},   // a run without its end byte runs to the end
        {"\5z\3"s, "z"},     // the report identifier counts as a byte
        {"\5a\0b\3"s, "a"},  // a zero byte ends the text
        {"\0\2\5"s + letters + "\3", letters.substr(0, 29)},
        {"\0\2\5"s + letters.substr(0, 28), letters.substr(0, 28)},
    };
    for (const auto& [answer, text] : cases)
        EXPECT_EQ(ExtractVersionText(Of(answer).data(), answer.size()), text);
}

// Gone: Windows' removed HID device, device removed, no such device (433, 2), invalid state
// after removal; Wine's delete pending; a stale handle; aborted by the system. Not gone: one
// failed report, a data error, the program's own fault, a timeout, pending, a bad buffer, 0.
TEST(TransferErrors, RemovalErrorsOfWindowsAndWineMeanTheDeviceIsGone) {
    for (std::uint32_t error : {1167, 1617, 433, 2, 22, 5, 6, 995})
        EXPECT_TRUE(MeansDeviceGone(error)) << error;
    for (std::uint32_t error : {31, 23, 87, 258, 996, 997, 1784, 0})
        EXPECT_FALSE(MeansDeviceGone(error)) << error;
}

}  // namespace

// An answer framed with another command's code answers that command; one framed with this
// command's code, or not framed so, may be this one's.
TEST(AnswerKind, AnAnswerNamingAnotherCommandIsNotThisOnes) {
    using C = ReaderCommand;
    const struct {
        const char* name;
        C command;
        std::string answer;
        bool fits;
    } cases[] = {
        {"version answer to the version query", C::QueryVersion, "\0\2\5ZP350\3"s, true},
        {"format answer to the version query", C::QueryVersion, "\0\2\60Y\3"s, false},
        {"version answer to set format", C::SetFormat, "\0\2\5ZP350\3"s, false},
        {"format answer to set format", C::SetFormat, "\0\2\60N\3"s, true},
        {"replace answer to set format", C::SetFormat, "\0\2\61Y\3"s, false},
        {"cancel answer to set replace", C::SetReplace, "\0\2\62Y\3"s, false},
        {"replace answer to cancel", C::CancelReplace, "\0\2\61Y\3"s, false},
        {"cancel answer to cancel", C::CancelReplace, "\0\2\62Y\3"s, true},
        {"unframed answer", C::SetFormat, "\0\0\5Y"s, true},
        {"framed with an unknown code", C::SetFormat, "\0\2\77Y\3"s, true},
        {"too short to name a command", C::QueryVersion, "\0\2"s, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes answer = Of(c.answer);
        EXPECT_EQ(AnswerFitsCommand(c.command, answer.data(), answer.size()), c.fits);
    }
    EXPECT_TRUE(AnswerFitsCommand(C::SetFormat, nullptr, 0));
}

// Every program that opens a reader meets the same turn, whatever the case of its path;
// another reader has another, and the name is one the system takes in its global namespace.
TEST(TurnName, OneNamePerReaderWhateverTheCase) {
    const std::string path = "\\\\?\\HID#VID_5131&PID_2007#1&2d595ca7&0&0000#{4d1e55b2}";
    const std::string lower = "\\\\?\\hid#vid_5131&pid_2007#1&2d595ca7&0&0000#{4d1e55b2}";
    const std::string other = "\\\\?\\hid#vid_5131&pid_2007#1&2d595ca7&0&0001#{4d1e55b2}";
    const std::string name = TurnName(path);
    EXPECT_EQ(name, TurnName(lower));
    EXPECT_NE(name, TurnName(other));
    EXPECT_NE(name, TurnName(""));
    EXPECT_EQ(name.rfind("Global\\zp350-reader-", 0), 0u) << name;
    EXPECT_EQ(name.size(), 20u + 16u) << name;
    EXPECT_EQ(name.find('\\', 7), std::string::npos) << name;
}
