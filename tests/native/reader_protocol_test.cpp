// Command reports and answer judging of the reader protocol; which transfer errors mean the
// reader was pulled out.
#include <gtest/gtest.h>

#include <tuple>

#include "reader/protocol.h"
#include "reader/transfer_errors.h"

using namespace reader;
using namespace std::string_literals;

namespace {

const FormatSettings kDefaultForm{{'%', '?', ';', '?', '+', '?'}, {true, true, true}, {}, true};

const auto Of = [](const std::string& text) { return Bytes(text.begin(), text.end()); };

TEST(FormatReport, DefaultFormAndEmptySentinelBox) {
    Bytes expected = Of("\0\2\60%?;?+?78\3"s);
    expected.resize(65);
    EXPECT_EQ(BuildCommandReport(ReaderCommand::SetFormat, FormatPayload(kDefaultForm), 65),
              expected);
    FormatSettings form = kDefaultForm;
    form.sentinels[3].reset();  // track 2 end
    EXPECT_EQ(FormatPayload(form), (Bytes{0x25, 0x3F, 0x3B, 0xFF, 0x2B, 0x3F, 0x37, 0x38}));
}

// Track digit: 1, 2, 4 for the tracks output; carriage-return digit: 4, 2, 1 for the tracks
// followed by one, 8 for the whole packet (which wins). Boxes: output of tracks 1 to 3, their
// carriage returns, the packet's.
TEST(FormatReport, TrackAndCarriageReturnDigitsWeighTracksOppositeWays) {
    const std::pair<const char*, const char*> cases[] = {
        {"0100000", "20"}, {"1011010", "55"}, {"1010010", "51"}, {"1011000", "54"},
        {"1001100", "16"}, {"0011101", "48"}, {"1110001", "78"}, {"0000000", "00"}};
    for (const auto& [boxes, digits] : cases) {
        FormatSettings form = kDefaultForm;
        for (int i = 0; i < 3; ++i) {
            form.outputTrack[i] = boxes[i] == '1';
            form.crAfterTrack[i] = boxes[3 + i] == '1';
        }
        form.crAfterPacket = boxes[6] == '1';
        const Bytes payload = FormatPayload(form);
        EXPECT_EQ(std::string(payload.begin() + 6, payload.end()), digits) << boxes;
        EXPECT_EQ(AnyTrackChosen(form), digits[0] != '0') << boxes;
    }
}

// Originals come first; a disabled pair sends 0xFF whatever its boxes hold ({}: an empty box).
TEST(ReplaceReport, ChecksAndPayload) {
    const std::tuple<ReplaceSettings, ReplaceCheck, Bytes> cases[] = {
        {{{0, 1}, {'q', 'a'}, {'r', 'b'}}, ReplaceCheck::Ok, {0xFF, 0x61, 0xFF, 0x62}},
        {{{1, 1}, {'a', 'x'}, {'b', 'y'}}, ReplaceCheck::Ok, {0x61, 0x78, 0x62, 0x79}},
        {{{1, 0}, {'a', {}}, {'b', {}}}, ReplaceCheck::Ok, {0x61, 0xFF, 0x62, 0xFF}},
        {{{0, 0}, {'a', 'x'}, {'b', 'y'}}, ReplaceCheck::NoPairChosen, {}},
        {{{1, 0}, {'a', 'x'}, {{}, 'y'}}, ReplaceCheck::PairIncomplete, {}},
        {{{1, 1}, {'a', {}}, {'b', 'y'}}, ReplaceCheck::PairIncomplete, {}},
    };
    for (const auto& [form, check, payload] : cases) {
        EXPECT_EQ(CheckReplace(form), check) << form.enabled[0] << form.enabled[1];
        EXPECT_TRUE(check != ReplaceCheck::Ok || ReplacePayload(form) == payload) << payload.size();
    }
    EXPECT_EQ(BuildCommandReport(ReaderCommand::SetReplace, Of("abcd"), 8), Of("\0\2\61abcd\3"s));
}

TEST(CommandReport, FramesAndLengthBoundsPerCommand) {
    EXPECT_EQ(BuildCommandReport(ReaderCommand::QueryVersion, {}, 4), Of("\0\2\5\3"s));
    EXPECT_EQ(BuildCommandReport(ReaderCommand::CancelReplace, {}, 6), Of("\0\2\62\3\0\0"s));
    EXPECT_TRUE(BuildCommandReport(ReaderCommand::QueryVersion, {}, 3).empty());
    EXPECT_TRUE(BuildCommandReport(ReaderCommand::SetFormat, Bytes(8, 0x41), 11).empty());
    EXPECT_EQ(BuildCommandReport(ReaderCommand::SetFormat, Bytes(8, 0x41), 12).back(), 0x03);
    using C = ReaderCommand;
    const std::pair<C, std::size_t> cases[] = {
        {C::SetFormat, 12}, {C::SetReplace, 8}, {C::CancelReplace, 4}, {C::QueryVersion, 4}};
    for (const auto& [command, minimum] : cases) {
        EXPECT_EQ(MinimumOutputLength(command), minimum);
        EXPECT_FALSE(ReportLengthsServed(command, minimum - 1, 65));
        EXPECT_TRUE(ReportLengthsServed(command, minimum, 65));
        EXPECT_TRUE(ReportLengthsServed(command, 65, 1024));
        EXPECT_FALSE(ReportLengthsServed(command, 65, 1025));
        EXPECT_FALSE(ReportLengthsServed(command, 65, 0));
    }
}

TEST(AnswerVerdict, ByteThreeDecidesWhenThereIsOne) {
    const std::pair<std::string, Verdict> cases[] = {
        {"\0\2\60Y"s, Verdict::Accepted}, {"\0\2\60N\3"s, Verdict::Refused},
        {"\0\2\60y"s, Verdict::Other},    {"\0\2\60\0"s, Verdict::Other},
        {"YYY", Verdict::Other},          {"", Verdict::Other},
    };
    for (const auto& [answer, verdict] : cases)
        EXPECT_EQ(JudgeAnswer(Of(answer).data(), answer.size()), verdict) << answer.size();
    EXPECT_EQ(JudgeAnswer(nullptr, 0), Verdict::Other);
}

TEST(VersionText, TakenBetweenStartAndEndBytesAndCutAtTwentyNineCharacters) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN";
    const std::pair<std::string, std::string> cases[] = {
        {"\0\2\5V1.2\3\0"s, "V1.2"},
        {"\0\2V1\3"s, ""},  // no 0x05 at all
        {"", ""},
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
