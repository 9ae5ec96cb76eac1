// Command reports and answer judging of the reader protocol.
#include <gtest/gtest.h>

#include "reader/protocol.h"

using namespace reader;

namespace {

FormatSettings DefaultForm() {
    FormatSettings form;
    for (int i = 0; i < 6; ++i)
        form.sentinels[i] = static_cast<std::uint8_t>("%?;?+?"[i]);
    form.outputTrack[0] = form.outputTrack[1] = form.outputTrack[2] = true;
    form.crAfterPacket = true;
    return form;
}

std::string Version(const Bytes& answer) {
    return ExtractVersionText(answer.data(), answer.size());
}

TEST(FormatReport, DefaultFormIsTheDocumentedReport) {
    const Bytes report =
        BuildCommandReport(ReaderCommand::SetFormat, FormatPayload(DefaultForm()), 65);
    Bytes expected = {0x00, 0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38, 0x03};
    expected.resize(65);
    EXPECT_EQ(report, expected);
}

// Track digit: 1, 2, 4 for the tracks output; carriage-return digit: 4, 2, 1 for the tracks
// followed by one, 8 for the whole packet (which wins).
TEST(FormatReport, TrackAndCarriageReturnDigitsWeighTracksOppositeWays) {
    const struct {
        bool tracks[3], returns[3], packet;
        const char* digits;
    } cases[] = {
        {{0, 1, 0}, {0, 0, 0}, false, "20"}, {{1, 0, 1}, {1, 0, 1}, false, "55"},
        {{1, 0, 1}, {0, 0, 1}, false, "51"}, {{1, 0, 1}, {1, 0, 0}, false, "54"},
        {{1, 0, 0}, {1, 1, 0}, false, "16"}, {{0, 0, 1}, {1, 1, 0}, true, "48"},
        {{1, 1, 1}, {0, 0, 0}, true, "78"},
    };
    for (const auto& c : cases) {
        FormatSettings form = DefaultForm();
        for (int i = 0; i < 3; ++i) {
            form.outputTrack[i] = c.tracks[i];
            form.crAfterTrack[i] = c.returns[i];
        }
        form.crAfterPacket = c.packet;
        const Bytes payload = FormatPayload(form);
        EXPECT_EQ(std::string(payload.begin() + 6, payload.end()), c.digits);
    }
}

TEST(FormatReport, EmptySentinelBoxSendsFF) {
    FormatSettings form = DefaultForm();
    form.sentinels[3].reset();  // track 2 end
    EXPECT_EQ(FormatPayload(form), (Bytes{0x25, 0x3F, 0x3B, 0xFF, 0x2B, 0x3F, 0x37, 0x38}));
    EXPECT_FALSE(AnyTrackChosen(FormatSettings{}));
    for (int i = 0; i < 3; ++i) {
        FormatSettings one;
        one.outputTrack[i] = true;
        EXPECT_TRUE(AnyTrackChosen(one)) << i;
    }
}

TEST(ReplaceReport, OriginalsComeFirstAndDisabledPairsSendFF) {
    ReplaceSettings form;
    form.enabled[1] = true;
    form.original[1] = 'a';
    form.replacement[1] = 'b';
    form.original[0] = 'q';  // characters of a disabled pair are not sent
    form.replacement[0] = 'r';
    EXPECT_EQ(CheckReplace(form), ReplaceCheck::Ok);
    const Bytes report = BuildCommandReport(ReaderCommand::SetReplace, ReplacePayload(form), 8);
    EXPECT_EQ(report, (Bytes{0x00, 0x02, 0x31, 0xFF, 0x61, 0xFF, 0x62, 0x03}));

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
    const std::pair<ReaderCommand, std::size_t> cases[] = {{ReaderCommand::SetFormat, 12},
                                                           {ReaderCommand::SetReplace, 8},
                                                           {ReaderCommand::CancelReplace, 4},
                                                           {ReaderCommand::QueryVersion, 4}};
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
    const std::pair<Bytes, Verdict> cases[] = {
        {{0, 2, 0x30, 'Y'}, Verdict::Accepted}, {{0, 2, 0x30, 'N', 3}, Verdict::Refused},
        {{0, 2, 0x30, 'y'}, Verdict::Other},    {{0, 2, 0x30, 0}, Verdict::Other},
        {{'Y', 'Y', 'Y'}, Verdict::Other},      {{}, Verdict::Other},
    };
    for (const auto& [answer, verdict] : cases)
        EXPECT_EQ(JudgeAnswer(answer.data(), answer.size()), verdict) << answer.size();
    EXPECT_EQ(JudgeAnswer(nullptr, 0), Verdict::Other);
}

TEST(VersionText, TakenBetweenStartAndEndBytes) {
    const std::pair<Bytes, std::string> cases[] = {
        {{0x00, 0x02, 0x05, 'V', '1', '.', '2', 0x03, 0x00}, "V1.2"},
        {{0x00, 0x02, 'V', '1', 0x03}, ""},  // no 0x05 at all
        {{}, ""},
        // A second 0x05 inside a run is copied; runs are joined; 0x03 first does nothing.
        {{0x03, 0x05, 'a', 0x05, 'b', 0x03, 'x', 0x05, 'c', 0x03},
         "a\x05"
         "bc"},
        {{0x00, 0x05, 'a', 'b'}, "ab"},       // a run without its end byte runs to the end
        {{0x05, 'z', 0x03}, "z"},             // the report identifier counts as a byte
        {{0x05, 'a', 0x00, 'b', 0x03}, "a"},  // a zero byte ends the text
    };
    for (const auto& [answer, text] : cases)
        EXPECT_EQ(Version(answer), text);
}

TEST(VersionText, CutAtTwentyNineCharacters) {
    Bytes answer = {0x00, 0x02, 0x05};
    for (int i = 0; i < 40; ++i)
        answer.push_back(static_cast<std::uint8_t>('A' + i % 26));
    answer.push_back(0x03);
    EXPECT_EQ(Version(answer), "ABCDEFGHIJKLMNOPQRSTUVWXYZABC");
    answer.resize(3 + 29);
    EXPECT_EQ(Version(answer).size(), 29u);
    answer.resize(3 + 28);
    EXPECT_EQ(Version(answer).size(), 28u);
}

}  // namespace
