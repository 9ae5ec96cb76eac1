// The command line and the profile of zp350cli: every refusal is one line naming what is
// wrong, and what is accepted encodes to the bytes the settings window would send.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/options.h"
#include "cli/profile.h"

namespace {

using cli::Command;
using Args = std::vector<std::string>;
using reader::Bytes;

const Bytes kDefaultFormat = {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38};

std::string ErrorOf(const Args& args) {
    const cli::ParsedArguments parsed = cli::ParseArguments(args);
    EXPECT_FALSE(parsed.invocation) << args[0];
    return parsed.error;
}

cli::Invocation Parsed(const Args& args) {
    const cli::ParsedArguments parsed = cli::ParseArguments(args);
    EXPECT_TRUE(parsed.invocation) << parsed.error;
    return parsed.invocation.value_or(cli::Invocation{});
}

TEST(CliOptions, EveryRefusalNamesWhatIsWrong) {
    const struct {
        Args args;
        const char* error;
    } cases[] = {
        {{"frobnicate"}, "unknown command \"frobnicate\" (see --help)"},
        {{}, "no command given (see --help)"},
        {{"set", "--colour=red"}, "unknown option \"--colour\""},
        {{"set", "--track1-start=%%"}, "--track1-start: \"%%\" is more than one character"},
        {{"set", "--track2-end", "ab"}, "--track2-end: \"ab\" is more than one character"},
        {{"set", "--track3-end=\xC3\xA9"},
         "--track3-end: \"\xC3\xA9\" is not a plain ASCII character"},
        {{"set", "--track1-end= "}, "--track1-end: \" \" is not a printable character"},
        {{"set", "--tracks=1,4"}, "--tracks: \"4\" is not a track: tracks are 1, 2 and 3"},
        {{"set", "--tracks=0"}, "--tracks: \"0\" is not a track: tracks are 1, 2 and 3"},
        {{"set", "--tracks=12"}, "--tracks: \"12\" is not a track: tracks are 1, 2 and 3"},
        {{"set", "--tracks="}, "--tracks: You must select any one track to output!"},
        {{"set", "--cr=packet,2"},
         "--cr: Notice: “Output (CR) flag at the end of packet” and“Output (CR) flag at the end "
         "of Track X”， they cann't be selected at the same time"},
        {{"set", "--cr=4"}, "--cr: \"4\" is not packet, none or a track 1, 2 or 3"},
        {{"set", "--tracks"}, "--tracks: a value is missing"},
        {{"set", "--tracks=1", "--tracks=2"}, "--tracks: given twice"},
        {{"set", "extra"}, "unexpected argument \"extra\""},
        {{"version", "--tracks=1"}, "--tracks: not an option of this command"},
        {{"set", "--replace=a=b"}, "--replace: not an option of this command"},
        {{"version", "--json"}, "--json: only list takes it"},
        {{"set", "--output=x"}, "--output: only profile takes it"},
        {{"list", "--all"}, "--all: this command addresses no reader"},
        {{"profile", "--path=p"}, "--path: this command addresses no reader"},
        {{"version", "--all", "--path=p"}, "--all and --path exclude each other"},
        {{"replace"}, "replace: Notice: you must choose any one of them\"Enable replace\""},
        {{"replace", "a="},
         "replace: Notice：if you choose \"Enable Replease\" option \"character\" EditBox "
         "\"Replease with\" EditBox You must fill character in both of them"},
        {{"replace", "a=x", "b=y", "c=z"}, "replace: at most two pairs, not 3"},
        {{"replace", "ab"}, "replace: \"ab\" is not a pair like a=x"},
        {{"replace", "a=xy"}, "replace: \"a=xy\" is not a pair like a=x"},
        {{"apply"}, "apply: the profile file is missing"},
        {{"apply", "a", "b"}, "apply: one profile file, not 2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.args), c.error) << (c.args.empty() ? "" : c.args[0]);
}

TEST(CliOptions, FormatOptionsChangeOnlyWhatTheyName) {
    const struct {
        Args args;
        Bytes payload;
    } cases[] = {
        {{"set"}, kDefaultFormat},
        {{"defaults"}, kDefaultFormat},
        {{"set", "--tracks=2", "--cr=none"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x32, 0x30}},
        {{"set", "--tracks", "1,3", "--cr", "1,3", "--track2-end=", "--track1-start=A"},
         {0x41, 0x3F, 0x3B, 0xFF, 0x2B, 0x3F, 0x35, 0x35}},
        {{"--cr=3", "set"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x31}},
        {{"set", "--cr=1"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x34}},
        {{"set", "--track3-start", "-"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2D, 0x3F, 0x37, 0x38}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reader::FormatPayload(Parsed(c.args).setup.format), c.payload) << c.args.size();
}

TEST(CliOptions, ReadersAndPairs) {
    const cli::Invocation all = Parsed({"--all", "cancel-replace"});
    EXPECT_EQ(all.command, Command::CancelReplace);
    EXPECT_TRUE(all.all);
    EXPECT_EQ(Parsed({"version", "--path", "\\\\?\\hid#x"}).path, "\\\\?\\hid#x");
    EXPECT_EQ(reader::ReplacePayload(Parsed({"replace", "a=b", "x=y"}).setup.replace),
              (Bytes{0x61, 0x78, 0x62, 0x79}));
    EXPECT_EQ(reader::ReplacePayload(Parsed({"replace", "===", "#=;"}).setup.replace),
              (Bytes{0x3D, 0x23, 0x3D, 0x3B}));
    EXPECT_EQ(Parsed({"apply", "setup.txt"}).file, "setup.txt");
    EXPECT_EQ(Parsed({"profile", "-o", "-"}).file, "");
    EXPECT_EQ(Parsed({"--help"}).command, Command::Help);
}

TEST(CliExitCodes, SeveralReadersCombine) {
    using cli::ExitCode;
    const struct {
        std::vector<ExitCode> codes;
        ExitCode combined;
    } cases[] = {
        {{ExitCode::Success, ExitCode::Success}, ExitCode::Success},
        {{ExitCode::Success, ExitCode::Timeout}, ExitCode::PartlyDone},
        {{ExitCode::Refused, ExitCode::Success}, ExitCode::PartlyDone},
        {{ExitCode::Timeout, ExitCode::Refused}, ExitCode::Timeout},
        {{ExitCode::Refused}, ExitCode::Refused},
        {{}, ExitCode::NoReader},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::Combined(c.codes), c.combined);
    // --help lists every code once, in order.
    int expected = 0;
    for (const cli::ExitCodeLine& line : cli::ExitCodeTable())
        EXPECT_EQ(static_cast<int>(line.code), expected++);
    EXPECT_EQ(expected, 7);
}

}  // namespace
