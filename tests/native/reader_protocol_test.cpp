// Command reports and answer judging of the reader protocol.
#include <gtest/gtest.h>

#include <random>

#include "reader/protocol.h"

using namespace reader;

namespace {

FormatSettings DefaultForm() {
    FormatSettings form;
    const char sentinels[] = "%?;?+?";
    for (int i = 0; i < 6; ++i)
        form.sentinels[i] = static_cast<std::uint8_t>(sentinels[i]);
    for (bool& track : form.outputTrack)
        track = true;
    form.crAfterPacket = true;
    return form;
}

Bytes Frame(const Bytes& report) {  // bytes 1 up to and including the first 0x03
    Bytes frame;
    for (std::size_t i = 1; i < report.size(); ++i) {
        frame.push_back(report[i]);
        if (report[i] == 0x03)
            break;
    }
    return frame;
}

std::string Version(const Bytes& answer) {
    return ExtractVersionText(answer.data(), answer.size());
}

TEST(FormatReport, DefaultFormIsTheDocumentedReport) {
    const Bytes report =
        BuildCommandReport(ReaderCommand::SetFormat, FormatPayload(DefaultForm()), 65);
    ASSERT_EQ(report.size(), 65u);
    EXPECT_EQ(report[0], 0x00);
    EXPECT_EQ(Frame(report),
              (Bytes{0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38, 0x03}));
    for (std::size_t i = 12; i < report.size(); ++i)
        EXPECT_EQ(report[i], 0) << i;
}

TEST(FormatReport, TrackAndCarriageReturnDigitsWeighTracksOppositeWays) {
    FormatSettings form = DefaultForm();
    form.crAfterPacket = false;
    form.outputTrack[0] = form.outputTrack[2] = false;
    Bytes payload = FormatPayload(form);
    EXPECT_EQ(payload[6], '2');
    EXPECT_EQ(payload[7], '0');

    form.outputTrack[0] = form.outputTrack[2] = true;
    form.outputTrack[1] = false;
    form.crAfterTrack[0] = form.crAfterTrack[2] = true;
    payload = FormatPayload(form);
    EXPECT_EQ(payload[6], '5');
    EXPECT_EQ(payload[7], '5');

    form.crAfterTrack[0] = false;
    EXPECT_EQ(FormatPayload(form)[7], '1');
    form.crAfterTrack[0] = true;
    form.crAfterTrack[2] = false;
    EXPECT_EQ(FormatPayload(form)[7], '4');
    form.crAfterTrack[1] = true;
    EXPECT_EQ(FormatPayload(form)[7], '6');
    // The whole-packet box wins over per-track boxes.
    form.crAfterPacket = true;
    EXPECT_EQ(FormatPayload(form)[7], '8');
}

TEST(FormatReport, EmptySentinelBoxSendsFF) {
    FormatSettings form = DefaultForm();
    form.sentinels[3].reset();  // track 2 end
    EXPECT_EQ(FormatPayload(form), (Bytes{0x25, 0x3F, 0x3B, 0xFF, 0x2B, 0x3F, 0x37, 0x38}));
    EXPECT_FALSE(AnyTrackChosen(FormatSettings{}));
    EXPECT_TRUE(AnyTrackChosen(form));
}

TEST(ReplaceReport, OriginalsComeFirstAndDisabledPairsSendFF) {
    ReplaceSettings form;
    form.enabled[1] = true;
    form.original[1] = 'a';
    form.replacement[1] = 'b';
    form.original[0] = 'q';  // characters of a disabled pair are not sent
    form.replacement[0] = 'r';
    EXPECT_EQ(CheckReplace(form), ReplaceCheck::Ok);
    EXPECT_EQ(Frame(BuildCommandReport(ReaderCommand::SetReplace, ReplacePayload(form), 65)),
              (Bytes{0x02, 0x31, 0xFF, 0x61, 0xFF, 0x62, 0x03}));

    form.enabled[0] = true;
    form.original[0] = 'a';
    form.replacement[0] = 'b';
    form.original[1] = 'x';
    form.replacement[1] = 'y';
    EXPECT_EQ(ReplacePayload(form), (Bytes{0x61, 0x78, 0x62, 0x79}));
}

TEST(ReplaceReport, ChecksComeInOrder) {
    ReplaceSettings form;
    form.original[0] = 'a';
    form.replacement[0] = 'b';
    EXPECT_EQ(CheckReplace(form), ReplaceCheck::NoPairChosen);
    form.enabled[0] = true;
    form.replacement[0].reset();
    EXPECT_EQ(CheckReplace(form), ReplaceCheck::PairIncomplete);
    form.replacement[0] = 'b';
    form.enabled[1] = true;
    form.replacement[1] = 'y';
    EXPECT_EQ(CheckReplace(form), ReplaceCheck::PairIncomplete);
    form.original[1] = 'x';
    EXPECT_EQ(CheckReplace(form), ReplaceCheck::Ok);
}

TEST(CommandReport, ShortReportsAndVersionAndCancelFrames) {
    EXPECT_EQ(BuildCommandReport(ReaderCommand::QueryVersion, {}, 4),
              (Bytes{0x00, 0x02, 0x05, 0x03}));
    EXPECT_EQ(BuildCommandReport(ReaderCommand::CancelReplace, {}, 6),
              (Bytes{0x00, 0x02, 0x32, 0x03, 0x00, 0x00}));
    EXPECT_TRUE(BuildCommandReport(ReaderCommand::QueryVersion, {}, 3).empty());
    EXPECT_TRUE(BuildCommandReport(ReaderCommand::SetFormat, Bytes(8, 0x41), 11).empty());
    EXPECT_EQ(BuildCommandReport(ReaderCommand::SetFormat, Bytes(8, 0x41), 12).back(), 0x03);
}

TEST(CommandReport, LengthBoundsPerCommand) {
    const struct {
        ReaderCommand command;
        std::size_t minimum;
    } cases[] = {{ReaderCommand::SetFormat, 12},
                 {ReaderCommand::SetReplace, 8},
                 {ReaderCommand::CancelReplace, 4},
                 {ReaderCommand::QueryVersion, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(MinimumOutputLength(c.command), c.minimum);
        EXPECT_FALSE(ReportLengthsServed(c.command, c.minimum - 1, 65));
        EXPECT_TRUE(ReportLengthsServed(c.command, c.minimum, 65));
        EXPECT_TRUE(ReportLengthsServed(c.command, 65, 1024));
        EXPECT_FALSE(ReportLengthsServed(c.command, 65, 1025));
        EXPECT_FALSE(ReportLengthsServed(c.command, 65, 0));
    }
}

TEST(AnswerVerdict, ByteThreeDecidesAtEveryLength) {
    for (std::size_t length = 0; length <= 8; ++length) {
        for (std::uint8_t byte :
             {std::uint8_t{'Y'}, std::uint8_t{'N'}, std::uint8_t{'y'}, std::uint8_t{0}}) {
            std::vector<std::uint8_t> answer(length, 'Y');
            if (length > 3)
                answer[3] = byte;
            const Verdict expected = length <= 3   ? Verdict::Other
                                     : byte == 'Y' ? Verdict::Accepted
                                     : byte == 'N' ? Verdict::Refused
                                                   : Verdict::Other;
            EXPECT_EQ(JudgeAnswer(answer.data(), answer.size()), expected)
                << "length " << length << " byte " << int(byte);
        }
    }
    EXPECT_EQ(JudgeAnswer(nullptr, 0), Verdict::Other);
}

TEST(VersionText, TakenBetweenStartAndEndBytes) {
    EXPECT_EQ(Version({0x00, 0x02, 0x05, 'V', '1', '.', '2', 0x03, 0x00}), "V1.2");
    EXPECT_EQ(Version({0x00, 0x02, 'V', '1', 0x03}), "");  // no 0x05 at all
    EXPECT_EQ(Version({}), "");
    // A second 0x05 inside a run is copied; runs are joined; 0x03 first does nothing.
    EXPECT_EQ(Version({0x03, 0x05, 'a', 0x05, 'b', 0x03, 'x', 0x05, 'c', 0x03}),
              "a\x05"
              "bc");
    // A run without its end byte runs to the end of the report.
    EXPECT_EQ(Version({0x00, 0x05, 'a', 'b'}), "ab");
    // The report identifier counts as a byte of the answer.
    EXPECT_EQ(Version({0x05, 'z', 0x03}), "z");
    // A zero byte ends the text.
    EXPECT_EQ(Version({0x05, 'a', 0x00, 'b', 0x03}), "a");
}

TEST(VersionText, CutAtTwentyNineCharacters) {
    Bytes answer = {0x00, 0x02, 0x05};
    for (int i = 0; i < 40; ++i)
        answer.push_back(static_cast<std::uint8_t>('A' + i % 26));
    answer.push_back(0x03);
    const std::string text = Version(answer);
    ASSERT_EQ(text.size(), 29u);
    EXPECT_EQ(text, "ABCDEFGHIJKLMNOPQRSTUVWXYZABC");
    answer.resize(3 + 29);
    EXPECT_EQ(Version(answer).size(), 29u);
    answer.resize(3 + 28);
    EXPECT_EQ(Version(answer).size(), 28u);
}

// Random answers of random lengths, each in a buffer of exactly its length, so that any read
// past the answer shows under AddressSanitizer.
TEST(AnswerParsing, SurvivesRandomAnswersAndReportLengths) {
    std::mt19937 random(350);
    for (int round = 0; round < 5000; ++round) {
        const std::size_t length = random() % 1100;
        std::vector<std::uint8_t> answer(length);
        // Few distinct bytes so that start and end bytes are common.
        for (auto& byte : answer)
            byte = static_cast<std::uint8_t>("\x00\x03\x05YNa\xFF"[random() % 7]);
        const std::string text = ExtractVersionText(answer.data(), answer.size());
        ASSERT_LE(text.size(), kMaxVersionTextLength);
        ASSERT_EQ(text.find('\0'), std::string::npos);
        ASSERT_EQ(text.find('\x03'), std::string::npos);
        const Verdict verdict = JudgeAnswer(answer.data(), answer.size());
        if (length <= 3) {
            ASSERT_EQ(verdict, Verdict::Other);
        }

        const std::size_t outputLength = random() % 80;
        const auto command = static_cast<ReaderCommand>("\x30\x31\x32\x05"[random() % 4]);
        const std::size_t payloadLength = command == ReaderCommand::SetFormat    ? 8
                                          : command == ReaderCommand::SetReplace ? 4
                                                                                 : 0;
        const Bytes report = BuildCommandReport(command, Bytes(payloadLength, 0x41), outputLength);
        if (outputLength < MinimumOutputLength(command)) {
            ASSERT_TRUE(report.empty());
            ASSERT_FALSE(ReportLengthsServed(command, outputLength, 65));
        } else {
            ASSERT_EQ(report.size(), outputLength);
            ASSERT_EQ(report[3 + payloadLength], 0x03);
            for (std::size_t i = 4 + payloadLength; i < report.size(); ++i)
                ASSERT_EQ(report[i], 0);
        }
    }
}

}  // namespace
