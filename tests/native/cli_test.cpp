// zp350cli's pure parts: every refusal of the command line or a profile is one line naming
// what is wrong; what is accepted encodes to the bytes the settings window's form would send
// with the same choices and survives being written and read again; listing and exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_record.h"
#include "app/form_rules.h"
#include "cli/exit_codes.h"
#include "cli/listing.h"
#include "cli/options.h"
#include "cli/profile.h"
#include "cli/window_text.h"
#include "res/resource.h"

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

std::string ProfileError(const std::string& text) {
    const cli::ProfileResult result = cli::ParseProfile(text);
    EXPECT_FALSE(result.setup) << text;
    return result.error;
}

cli::Setup SetupOf(const std::string& text) {
    const cli::ProfileResult result = cli::ParseProfile(text);
    EXPECT_TRUE(result.setup) << result.error;
    return result.setup.value_or(cli::Setup{});
}

TEST(CliOptions, EveryRefusalNamesWhatIsWrong) {
    const struct {
        Args args;
        const char* error;
    } cases[] = {
        {{"frobnicate"}, "unknown command \"frobnicate\" (see --help)"},
        {{}, "no command given (see --help)"},
        {{"set", "--colour=red"}, "unknown option \"--colour\""},
        {{"set", "--x"}, "unknown option \"--x\""},
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
        {{"replace", "=xyz"}, "replace: \"=xyz\" is not a pair like a=x"},
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

TEST(CliExitCodes, SeveralReadersCombineAndHelpListsThem) {
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
    const std::string help = cli::UsageText();
    for (const char* line : {"Exit codes:\n  0  success\n  1  the reader refused ('N')\n",
                             "  5  partly done (--all): some readers done, others not\n"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

TEST(CliProfile, EveryRefusalNamesItsLine) {
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "no \"name = value\" line: not a profile"},
        {"# only a comment\n\n", "no \"name = value\" line: not a profile"},
        {"tracks = 1\nthis is prose\n", "line 2: not a \"name = value\" line"},
        {"colour = red\n", "line 1: unknown name \"colour\""},
        {"tracks = 1\n# x\ntracks = 2\n", "line 3: \"tracks\" is given twice"},
        {"track1-start = %%\n", "line 1: track1-start: \"%%\" is more than one character"},
        {"tracks = 1,5\n", "line 1: tracks: \"5\" is not a track: tracks are 1, 2 and 3"},
        {"tracks =\n", "line 1: tracks: You must select any one track to output!"},
        {"replace = a= b=c\n",
         "line 1: replace: Notice：if you choose \"Enable Replease\" option \"character\" "
         "EditBox \"Replease with\" EditBox You must fill character in both of them"},
        {"tracks = 1\n\x7F"
         "ELF\x01\x02\n",
         "line 2: not UTF-8 text: not a profile"},
        {"tracks = 1\ncr = \xFF\xFE\n", "line 2: not UTF-8 text: not a profile"},
        {"tracks = 1\n\x80 = 1\n", "line 2: not UTF-8 text: not a profile"},
        {"tracks = 1\n# \xC3(\n", "line 2: not UTF-8 text: not a profile"},
        {std::string("tracks = 1\0\n", 12), "line 1: not UTF-8 text: not a profile"},
        {std::string(cli::kMaxProfileBytes + 1, '#'), "larger than 64 KiB: not a profile"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProfileError(c.text), c.error) << c.text.substr(0, 40);
}

// The window's form after clicks on its check boxes (a negative id: a click that clears it)
// and characters typed into its boxes, as a plain record.
PlainForm FormAfter(const std::vector<int>& clicks,
                    const std::vector<std::pair<int, wchar_t>>& texts) {
    PlainForm form;
    RestoreDefaultFormat(form);
    for (const int click : clicks) {
        const int id = click < 0 ? -click : click;
        form.SetChecked(id, click > 0);
        if (id == IDC_CR_PACKET)
            ApplyPacketCrRule(form);
        else if (id >= IDC_CR_TRACK1 && id <= IDC_CR_TRACK3)
            ApplyTrackCrRule(form, id);
        else if (id == IDC_ALLOW_PAIR1 || id == IDC_ALLOW_PAIR2)
            ApplyAllowRule(form, id);
    }
    for (const auto& text : texts) {
        const wchar_t value[2] = {text.second, 0};
        form.SetText(text.first, value);
    }
    return form;
}

// A profile encodes as the window's form with the same choices, and survives being written
// and read again.
TEST(CliProfile, EncodesAsTheWindowsFormAndRoundTrips) {
    const struct {
        const char* profile;
        std::vector<int> clicks;
        std::vector<std::pair<int, wchar_t>> texts;
    } cases[] = {
        {"tracks = 1,2,3\n", {}, {}},
        // Comments, blank lines, blanks, Windows line ends and a byte order mark are allowed.
        {"\xEF\xBB\xBF# north shop\xEF\xBC\x9A ünïcode 20\xC2\xB0\r\n\r\n  tracks = 2   "
         "\r\ncr=none\r\ntrack2-start = "
         "#\r\n",
         {-IDC_OUTPUT_TRACK1, -IDC_OUTPUT_TRACK3, -IDC_CR_PACKET},
         {{IDC_TRACK2_START, L'#'}}},
        {"tracks = 1,3\ncr = 1,3\ntrack1-start = A\ntrack3-end = !\ntrack2-end =\n",
         {-IDC_OUTPUT_TRACK2, IDC_CR_TRACK1, IDC_CR_TRACK3},
         {{IDC_TRACK1_START, L'A'}, {IDC_TRACK3_END, L'!'}, {IDC_TRACK2_END, 0}}},
        {"cr = 2\ntrack2-start = :\ntrack2-end = /\n",
         {-IDC_CR_PACKET, IDC_CR_TRACK2},
         {{IDC_TRACK2_START, L':'}, {IDC_TRACK2_END, L'/'}}},
        {"cr = packet\nreplace = ===\n",
         {IDC_CR_TRACK1, IDC_CR_PACKET, IDC_ALLOW_PAIR1},
         {{IDC_PAIR1_CHAR, L'='}, {IDC_PAIR1_REPLACEMENT, L'='}}},
        // The first pair a profile gives is the window's upper pair.
        {"replace = x=y\n",
         {IDC_ALLOW_PAIR1},
         {{IDC_PAIR1_CHAR, L'x'}, {IDC_PAIR1_REPLACEMENT, L'y'}}},
        {"replace = a=b #=!\n",
         {IDC_ALLOW_PAIR1, IDC_ALLOW_PAIR2},
         {{IDC_PAIR1_CHAR, L'a'},
          {IDC_PAIR1_REPLACEMENT, L'b'},
          {IDC_PAIR2_CHAR, L'#'},
          {IDC_PAIR2_REPLACEMENT, L'!'}}},
        {"track3-start = -\nreplace = none\n", {}, {{IDC_TRACK3_START, L'-'}}},
    };
    for (const auto& c : cases) {
        const cli::Setup setup = SetupOf(c.profile);
        const PlainForm form = FormAfter(c.clicks, c.texts);
        EXPECT_EQ(reader::FormatPayload(setup.format), reader::FormatPayload(ReadFormatForm(form)))
            << c.profile;
        EXPECT_EQ(reader::ReplacePayload(setup.replace),
                  reader::ReplacePayload(ReadReplaceForm(form)))
            << c.profile;
        const std::string written = cli::WriteProfile(setup);
        const cli::Setup again = SetupOf(written);
        EXPECT_EQ(cli::WriteProfile(again), written);
        EXPECT_EQ(reader::FormatPayload(again.format), reader::FormatPayload(setup.format));
        EXPECT_EQ(reader::ReplacePayload(again.replace), reader::ReplacePayload(setup.replace));
    }
}

// Window texts reach the console as UTF-8; a surrogate pair is one character.
TEST(CliWindowText, Utf8) {
    EXPECT_EQ(cli::Utf8({L'a', 0xE9, 0x4E2D, 0xD83D, 0xDE00}),
              "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(cli::Utf8({0xDC00, 0xDC00, 0xD800}), "\xED\xB0\x80\xED\xB0\x80\xED\xA0\x80");
}

TEST(CliListing, LinesAndJson) {
    const cli::ListedReader readers[] = {
        {"\\\\?\\hid#vid_5131&pid_2007#1", 0x5131, 0x2007, 0x0100, std::string("V1.0")},
        {"p\"2", 0x5131, 0x2007, 0x000A, std::nullopt},
    };
    EXPECT_EQ(cli::ListingLine(readers[0]),
              "\\\\?\\hid#vid_5131&pid_2007#1  5131:2007  ver100  V1.0");
    EXPECT_EQ(cli::ListingLine(readers[1]), "p\"2  5131:2007  verA  -");
    EXPECT_EQ(cli::ListingJson({readers[0], {"x", 1, 2, 3, std::string("a\x01\xE9")}}),
              "[\n  {\"path\": \"\\\\\\\\?\\\\hid#vid_5131&pid_2007#1\", \"vendorId\": 20785, "
              "\"productId\": 8199, \"versionNumber\": 256, \"versionText\": \"V1.0\"},\n"
              "  {\"path\": \"x\", \"vendorId\": 1, \"productId\": 2, \"versionNumber\": 3, "
              "\"versionText\": \"a\\u0001\\u00E9\"}\n]\n");
    EXPECT_EQ(cli::ListingJson({}), "[]\n");
}

}  // namespace
