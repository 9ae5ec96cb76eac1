// zp350cli's pure parts: each refusal is one line naming what is wrong; what is accepted encodes
// as the settings window's form would and survives a round trip; listing and exit codes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/failure_text.h"
#include "cli/listing.h"
#include "cli/options.h"
#include "res/resource.h"
#include "settings/profile.h"
#include "settings/quoting.h"
#include "settings/reason_text.h"
#include "settings/ui_text.h"
#include "settings/utf8.h"
#include "settings/window_text.h"

namespace {

using Args = std::vector<std::string>;
using reader::Bytes;

// The refusal of a pair with one half.
const std::string kHalfPair = "each pair needs a character and its replacement, like a=x";

// The refusal of a carriage return after the packet and after a track.
const std::string kCrConflict =
    "a carriage return after the packet and after a track exclude each other";

const auto Parsed = [](const Args& args) { return cli::ParseArguments(args).invocation.value(); };

TEST(CliOptions, EveryRefusalNamesWhatIsWrong) {
    const std::pair<Args, std::string> cases[] = {
        {{"frobnicate"}, "unknown command \"frobnicate\" (see --help)"},
        {{}, "no command given (see --help)"},
        {{"set", "extra"}, "unexpected argument \"extra\""},
        {{"set", "--colour=red"}, "unknown option \"--colour\""},
        {{"set", "--track1-start=%%"}, "--track1-start: \"%%\" is more than one character"},
        {{"set", "--track3-end=\xC3\xA9"},
         "--track3-end: \"\xC3\xA9\" is not a plain ASCII character"},
        {{"set", "--track1-end=\x80"}, "--track1-end: \"\\x80\" is not a plain ASCII character"},
        {{"set", "--track1-end= "},
         "--track1-end: \" \" is a blank: the reader needs a printable character"},
        {{"set", "--tracks=1,4"}, "--tracks: \"4\" is not a track: tracks are 1, 2 and 3"},
        {{"set", "--tracks=0"}, "--tracks: \"0\" is not a track: tracks are 1, 2 and 3"},
        {{"set", "--tracks=12"}, "--tracks: \"12\" is not a track: tracks are 1, 2 and 3"},
        {{"set", "--tracks="}, "--tracks: no track chosen: name at least one of 1, 2 and 3"},
        {{"set", "--cr=packet,2"}, "--cr: " + kCrConflict},
        {{"set", "--cr=1,packet"}, "--cr: " + kCrConflict},
        {{"set", "--cr=4"}, "--cr: \"4\" is not packet, none or a track 1, 2 or 3"},
        {{"set", "--tracks"}, "--tracks: a value is missing"},
        {{"set", "--tracks=1", "--tracks=2"}, "--tracks: given twice"},
        {{"version", "--tracks=1"}, "--tracks: not an option of this command"},
        {{"set", "--replace=a=b"}, "--replace: not an option of this command"},
        {{"version", "--json"}, "--json: only list, swipe and watch take it"},
        {{"version", "--profile=p"}, "--profile: only swipe and watch take it"},
        {{"watch"}, "watch: --profile FILE is missing"},
        {{"watch", "--profile="}, "--profile: the file name is empty"},
        {{"watch", "--profile=p", "--all"}, "--all: this command addresses no reader"},
        {{"watch", "--profile=p", "--tracks=1"}, "--tracks: not an option of this command"},
        {{"watch", "--profile=p", "--timeout=5"}, "--timeout: only swipe takes it"},
        {{"list", "--status"}, "--status: only watch takes it"},
        {{"watch", "--status", "--profile=p"}, "--status and --profile exclude each other"},
        {{"watch", "--status", "--json"}, "--status and --json exclude each other"},
        {{"version", "--show-all"}, "--show-all: only swipe takes it"},
        {{"set", "--timeout=5"}, "--timeout: only swipe takes it"},
        {{"swipe", "--timeout=0"}, "--timeout: \"0\" is not a number of seconds from 1 to 86400"},
        {{"swipe", "--timeout=1e3"},
         "--timeout: \"1e3\" is not a number of seconds from 1 to 86400"},
        {{"swipe", "--timeout=86401"},
         "--timeout: \"86401\" is not a number of seconds from 1 to 86400"},
        {{"swipe", "--timeout=99999999999"},
         "--timeout: \"99999999999\" is not a number of seconds from 1 to 86400"},
        {{"swipe", "--profile="}, "--profile: the file name is empty"},
        {{"swipe", "--profile=till.zp350", "--cr=none"}, "--profile and --cr exclude each other"},
        {{"set", "--output=x"}, "--output: only profile takes it"},
        {{"list", "--all"}, "--all: this command addresses no reader"},
        {{"profile", "--path=p"}, "--path: this command addresses no reader"},
        {{"version", "--all", "--path=p"}, "--all and --path exclude each other"},
        {{"version", "--reader=1", "--all"}, "--reader and --all exclude each other"},
        {{"version", "--path=p", "--reader=1"}, "--reader and --path exclude each other"},
        {{"list", "--reader=1"}, "--reader: this command addresses no reader"},
        {{"version", "--reader="}, "--reader: the reader's number is empty"},
        {{"version", "--reader=0"},
         "--reader: \"0\" is not a reader's number as list shows it (1, 2, ...)"},
        {{"version", "--reader=#2"},
         "--reader: \"#2\" is not a reader's number as list shows it (1, 2, ...)"},
        {{"version", "--reader=1000"},
         "--reader: \"1000\" is not a reader's number as list shows it (1, 2, ...)"},
        {{"set", "--tracks=1,,2"}, "--tracks: \"\" is not a track: tracks are 1, 2 and 3"},
        {{"replace"}, "replace: no pair given: give one or two pairs like a=x"},
        {{"replace", "-", "-"}, "replace: no pair given: give one or two pairs like a=x"},
        {{"replace", "a="}, "replace: " + kHalfPair},
        {{"replace", "=x"}, "replace: " + kHalfPair},
        {{"replace", "a=x", "b=y", "c=z"}, "replace: at most two pairs, not 3"},
        {{"replace", "ab"}, "replace: \"ab\" is not a pair like a=x"},
        {{"replace", "a=xy"}, "replace: \"a=xy\" is not a pair like a=x"},
        {{"replace", "=xy="}, "replace: \"=xy=\" is not a pair like a=x"},
        {{"replace", "a=\xC3\xA9"},
         "replace: \"a=\xC3\xA9\": \"\xC3\xA9\" is not a plain ASCII character"},
        {{"apply"}, "apply: the profile file is missing"},
        {{"apply", ""}, "apply: the profile file name is empty"},
        {{"profile", "-o", ""}, "-o: the file name is empty"},
        {{"profile", "--output="}, "--output: the file name is empty"},
        {{"version", "--path", ""}, "--path: the device path is empty"},
        {{"apply", "a", "b"}, "apply: one profile file, not 2"}};
    for (const auto& [args, error] : cases) {
        const cli::ParsedArguments parsed = cli::ParseArguments(args);
        EXPECT_FALSE(parsed.invocation) << error;
        EXPECT_EQ(parsed.error, error);
    }
}

// A misspelt option is refused, not taken for the option it resembles.
TEST(CliOptions, OnlyTheDocumentedSpellingsAreTaken) {
    const struct {
        const char* name;
        Args args;
        std::string error;
    } cases[] = {
        {"one dash, one letter more", {"set", "-xtracks", "2"}, "unknown option \"-xtracks\""},
        {"a letter after the name", {"set", "--tracksx", "2"}, "unknown option \"--tracksx\""},
        {"three dashes", {"set", "---tracks", "2"}, "unknown option \"---tracks\""},
        {"one dash with a value", {"profile", "-Xcr=none"}, "unknown option \"-Xcr\""},
        {"a switch with a value", {"version", "--all=1"}, "--all: takes no value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const cli::ParsedArguments parsed = cli::ParseArguments(c.args);
        EXPECT_FALSE(parsed.invocation.has_value());
        EXPECT_EQ(parsed.error, c.error);
    }
}

// An error line quotes at most 60 characters of a value and escapes what a console would
// act on.
TEST(CliQuoting, ValuesAreQuotedShortAndEscaped) {
    const std::string sixty(60, '9');
    std::string accents;
    for (int i = 0; i < 61; ++i)
        accents += "\xC3\xA9";
    const struct {
        const char* name;
        std::string value;
        std::string shown;
    } cases[] = {
        {"plain", "1,4", "\"1,4\""},
        {"sixty characters whole", sixty, "\"" + sixty + "\""},
        {"a long value cut", std::string(30000, '9'), "\"" + sixty + "...\""},
        {"characters, not bytes, counted", accents, "\"" + accents.substr(0, 120) + "...\""},
        {"control characters", "a\tb\r\n\x1b[2J\x7F", "\"a\\tb\\r\\n\\x1b[2J\\x7f\""},
        {"the first C1 control", "\xC2\x80", "\"\\u0080\""},
        {"a no-break space, the first character after them", "\xC2\xA0", "\"\xC2\xA0\""},
        {"a second byte-order mark",
         "\xEF\xBB\xBF"
         "tracks",
         "\"\\ufefftracks\""},
        {"a zero-width space", "a\xE2\x80\x8B", "\"a\\u200b\""},
        {"a line separator", "a\xE2\x80\xA8", "\"a\\u2028\""},
        {"a direction mark",
         "\xE2\x80\xAE"
         "b",
         "\"\\u202eb\""},
        {"bytes that are not UTF-8", "\xFF\xC3(\xED\xA0\x80", "\"\\xff\\xc3(\\xed\\xa0\\x80\""},
        {"an escaped byte counts as one", std::string(59, '9') + "\x1b\x1b",
         "\"" + std::string(59, '9') + "\\x1b...\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::Quoted(c.value), c.shown);
    }
    EXPECT_EQ(cli::ParseArguments({"set", "--tracks=" + std::string(30000, '9')}).error,
              "--tracks: \"" + sixty + "...\" is not a track: tracks are 1, 2 and 3");
}

// Options change only what they name; "replace" takes the first pair as the upper one.
TEST(CliOptions, AcceptedOptionsEncodeAsTheyName) {
    const std::pair<Args, Bytes> cases[] = {
        {{"set"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38}},
        {{"defaults"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38}},
        {{"set", "--tracks", "1,3", "--cr", "1,3", "--track2-end=", "--track1-start=A"},
         {0x41, 0x3F, 0x3B, 0xFF, 0x2B, 0x3F, 0x35, 0x35}},
        {{"--cr=3", "set"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x31}},
        {{"set", "--track3-start", "-"}, {0x25, 0x3F, 0x3B, 0x3F, 0x2D, 0x3F, 0x37, 0x38}},
        {{"set", "--tracks", " 1 , 3 ", "--cr", "1,\t3"},
         {0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x35, 0x35}},
        {{"replace", "a=b", "x=y"}, {0x61, 0x78, 0x62, 0x79}},
        {{"replace", "===", "#=;"}, {0x3D, 0x23, 0x3D, 0x3B}},
        {{"replace", "-", "a=x"}, {0xFF, 0x61, 0xFF, 0x78}},
    };
    for (const auto& [args, payload] : cases) {
        const settings::Setup setup = Parsed(args).setup;
        EXPECT_EQ(args[0] == "replace" ? reader::ReplacePayload(setup.replace)
                                       : reader::FormatPayload(setup.format),
                  payload)
            << args.back();
    }
    const cli::Invocation all = Parsed({"--all", "cancel-replace"});
    EXPECT_EQ(all.command, cli::Command::CancelReplace);
    EXPECT_TRUE(all.all);
    EXPECT_EQ(Parsed({"version", "--path", "\\\\?\\hid#x"}).path, "\\\\?\\hid#x");
    EXPECT_EQ(Parsed({"apply", "setup.txt"}).file, "setup.txt");
    EXPECT_EQ(Parsed({"profile", "-o", "-"}).file, "");
    const cli::Invocation swipe =
        Parsed({"swipe", "--profile", "till.zp350", "--show-all", "--json", "--timeout=86400"});
    EXPECT_EQ(swipe.file, "till.zp350");
    EXPECT_TRUE(swipe.showAll);
    EXPECT_TRUE(swipe.json);
    EXPECT_EQ(swipe.timeoutSeconds, 86400);
    EXPECT_EQ(Parsed({"swipe"}).timeoutSeconds, 30);
    EXPECT_EQ(Parsed({"swipe", "--timeout=0000001"}).timeoutSeconds, 1);
    EXPECT_EQ(Parsed({"version", "--reader", "002"}).readerNumber, 2);
    EXPECT_EQ(Parsed({"version"}).readerNumber, 0);
    const cli::Invocation watch = Parsed({"watch", "--json", "--profile=till.zp350"});
    EXPECT_EQ(watch.command, cli::Command::Watch);
    EXPECT_EQ(watch.file, "till.zp350");
    EXPECT_TRUE(watch.json);
    EXPECT_TRUE(Parsed({"watch", "--status"}).status);
    EXPECT_EQ(Parsed({"--help"}).command, cli::Command::Help);
    EXPECT_EQ(Parsed({"/?"}).command, cli::Command::Help);
    EXPECT_EQ(Parsed({"set", "/?"}).command, cli::Command::Help);
    EXPECT_EQ(Parsed({"--version"}).command, cli::Command::ProgramVersion);
    EXPECT_EQ(cli::VersionText().substr(0, 9), "zp350cli ");
}

// The short spellings the parser takes are shown in the help text too.
TEST(CliOptions, HelpShowsEverySpellingTaken) {
    const std::string help = cli::UsageText();
    const Args cases[] = {{"--help"},
                          {"-h"},
                          {"/?"},
                          {"--version"},
                          {"profile", "--output", "-"},
                          {"profile", "-o", "-"}};
    for (const Args& args : cases) {
        const std::string& spelling = args.back() == "-" ? args[1] : args[0];
        SCOPED_TRACE(spelling);
        EXPECT_TRUE(cli::ParseArguments(args).invocation);
        EXPECT_NE(help.find(" " + spelling + " "), std::string::npos);
    }
}

TEST(CliExitCodes, SeveralReadersCombineAndHelpListsThem) {
    using E = cli::ExitCode;
    const struct {
        const char* name;
        std::vector<E> codes;
        E combined;
    } cases[] = {
        {"all done", {E::Success, E::Success}, E::Success},
        {"done, then a timeout", {E::Success, E::Timeout}, E::PartlyDone},
        {"refused, then done", {E::Refused, E::Success}, E::PartlyDone},
        {"none done: the first failure", {E::Timeout, E::Refused}, E::Timeout},
        {"one reader", {E::Refused}, E::Refused},
        {"no reader", {}, E::NoReader},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::Combined(c.codes), c.combined) << c.name;
    const std::string help = cli::UsageText();
    for (const char* line : {"Exit codes:\n  0  success\n  1  the reader refused ('N')\n",
                             "  5  partly done (--all): some readers done, others not\n"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

TEST(CliProfile, EveryRefusalNamesItsLine) {
    const std::string notUtf8 = "not UTF-8 text: not a profile";
    const std::pair<std::string, std::string> cases[] = {
        {"# only a comment\n\n", "no \"name = value\" line: not a profile"},
        {"tracks = 1\nthis is prose\n", "line 2: not a \"name = value\" line"},
        {"colour = red\n",
         "line 1: unknown name \"colour\": the names are tracks, cr, "
         "track1-start, track1-end, track2-start, track2-end, track3-start, "
         "track3-end, replace"},
        {"tracks = 1\nTRACKS = 2\n", "line 2: \"tracks\" is given twice"},
        {"replace = a = b\n",
         "line 1: replace: \"a = b\" has blanks inside: write a pair without them, like a=x"},
        {"replace = x=y a= b\n",
         "line 1: replace: \"a= b\" has blanks inside: write a pair without them, like a=x"},
        {"replace = - =b\n", "line 1: replace: " + kHalfPair},
        {"tracks = 1\n# x\ntracks = 2\n", "line 3: \"tracks\" is given twice"},
        {"track1-start = %%\n", "line 1: track1-start: \"%%\" is more than one character"},
        {"tracks =\n", "line 1: tracks: no track chosen: name at least one of 1, 2 and 3"},
        {"replace = a= b=c\n", "line 1: replace: " + kHalfPair},
        {"tracks = 1\n\x7F\x45LF\x01\x02\n", "line 2: " + notUtf8},
        {"tracks = 1\ncr = \xFF\xFE\n", "line 2: " + notUtf8},
        {"tracks = 1\n\x80 = 1\n", "line 2: " + notUtf8},
        {"tracks = 1\n# \xC3(\n", "line 2: " + notUtf8},
        {"tracks = 1\n# \xC3", "line 2: " + notUtf8},
        {std::string("tracks = 1\0\n", 12), "line 1: " + notUtf8},
        {std::string(settings::kMaxProfileBytes + 1, '#'), "larger than 64 KiB: not a profile"}};
    for (const auto& [text, error] : cases) {
        const settings::ProfileResult result = settings::ParseProfile(text);
        EXPECT_FALSE(result.setup) << error;
        EXPECT_EQ(result.error, error);
    }
}

// Only well-formed UTF-8 (the Unicode standard's table) with LF or CR LF line ends is a
// profile; the first line that is not names itself.
TEST(CliProfile, MalformedTextIsRefusedWithItsLine) {
    const std::string notUtf8 = "not UTF-8 text: not a profile";
    const struct {
        const char* name;
        std::string text;
        std::string error;  // empty: accepted
    } cases[] = {
        {"overlong two bytes", "tracks = 1\n# \xC0\xAF\n", "line 2: " + notUtf8},
        {"overlong three bytes", "tracks = 1\n# \xE0\x9F\xBF\n", "line 2: " + notUtf8},
        {"overlong four bytes", "tracks = 1\n# \xF0\x8F\xBF\xBF\n", "line 2: " + notUtf8},
        {"surrogate", "tracks = 1\n\n# \xED\xA0\x80\n", "line 3: " + notUtf8},
        {"above U+10FFFF", "# \xF4\x90\x80\x80\ntracks = 1\n", "line 1: " + notUtf8},
        {"lead byte above F4", "tracks = 1\n# \xF5\x80\x80\x80\n", "line 2: " + notUtf8},
        {"sequence cut by the line end", "tracks = 1\n# \xE2\x82\n", "line 2: " + notUtf8},
        {"lone carriage return", "tracks = 1\ncr = none\rtracks = 2\n",
         "line 2: a carriage return without a line feed: not a profile"},
        {"carriage return before CR LF", "tracks = 1\r\r\n",
         "line 1: a carriage return without a line feed: not a profile"},
        {"the edges of each range",
         "# \xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 "
         "\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF\ntracks = 1\n",
         ""},
        {"CR LF line ends", "# shop\r\ntracks = 1\r\ncr = none\r\n", ""},
        {"an empty first line", "\n# a longer comment\ntracks = 1\n", ""},
        {"a byte-order mark first", "\xEF\xBB\xBFtracks = 1\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const settings::ProfileResult result = settings::ParseProfile(c.text);
        EXPECT_EQ(result.setup.has_value(), c.error.empty());
        EXPECT_EQ(result.error, c.error);
    }
}

// ASCII `text` as UTF-16 bytes.
std::string Utf16(const std::string& text, bool littleEndian) {
    std::string bytes;
    for (char c : text) {
        bytes += littleEndian ? c : '\0';
        bytes += littleEndian ? '\0' : c;
    }
    return bytes;
}

// What people write by hand: blanks around "=" and commas, names in any case, a file saved
// as UTF-16 by an editor (with its byte-order mark or without) or as UTF-8.
TEST(CliProfile, HandWrittenProfilesAreRead) {
    const std::string expected =
        settings::WriteProfile(settings::ParseProfile("tracks = 1,2\ncr = 1,2\n").setup.value());
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"blanks after commas", "tracks = 1, 2\ncr = 1 ,\t2\n"},
        {"no blanks at all", "tracks=1,2\ncr=1,2\n"},
        {"names in capitals", "Tracks = 1,2\nCR = 1,2\n"},
        {"UTF-16 little-endian with its mark", "\xFF\xFE" + Utf16("tracks = 1, 2\r\ncr=1,2", true)},
        {"UTF-16 little-endian without a mark", Utf16("tracks=1,2\ncr=1,2\n", true)},
        {"UTF-16 big-endian with its mark", "\xFE\xFF" + Utf16("tracks=1,2\ncr=1,2", false)},
        {"UTF-8 with its mark", "\xEF\xBB\xBFtracks = 1,2\ncr = 1,2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const settings::ProfileResult result = settings::ReadProfile(c.bytes);
        EXPECT_EQ(result.error, "");
        ASSERT_TRUE(result.setup);
        EXPECT_EQ(settings::WriteProfile(*result.setup), expected);
    }
    // A lone surrogate, or a byte left over, is no UTF-16 text.
    const std::string broken[] = {
        "\xFF\xFE" + Utf16("t", true) + std::string("\x00\xD8", 2),
        "\xFF\xFE" + Utf16("t", true) + std::string("\x00\xDC", 2) + Utf16("=", true),
        "\xFE\xFF" + Utf16("t", false) + "t"};
    for (const std::string& bytes : broken) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(settings::ReadProfile(bytes).error,
                  "UTF-16 that is not well formed: not a profile");
    }
}

// Each translated control has one caption in both languages; the found text prints the
// version in upper-case hex.
TEST(WindowTexts, CaptionsMessagesAndFoundText) {
    std::set<int> ids;
    for (std::size_t i = 0; i < kCaptionCount; ++i) {
        SCOPED_TRACE(testing::Message() << "control " << kCaptions[i].controlId);
        EXPECT_TRUE(ids.insert(kCaptions[i].controlId).second);  // once
        EXPECT_NE(kCaptions[i].english[0], 0);
        EXPECT_NE(kCaptions[i].chinese[0], 0);
    }
    // Every control of the settings window has one but the boxes the user types in, the
    // status line the program writes and the language buttons, which name themselves in both.
    const std::set<int> uncaptioned = {
        IDC_RADIO_CHINESE,    IDC_RADIO_ENGLISH, IDC_TRACK1_START,      IDC_TRACK1_END,
        IDC_TRACK2_START,     IDC_TRACK2_END,    IDC_TRACK3_START,      IDC_TRACK3_END,
        IDC_STATUS,           IDC_PAIR1_CHAR,    IDC_PAIR1_REPLACEMENT, IDC_PAIR2_CHAR,
        IDC_PAIR2_REPLACEMENT};
    for (int id = IDC_DEVICE_FRAME; id <= IDC_ALLOW_PAIR1; ++id)
        EXPECT_EQ(ids.count(id) == 1, uncaptioned.count(id) == 0) << "control " << id;
    EXPECT_EQ(*ids.begin(), IDC_DEVICE_FRAME);  // the first and last of the window's controls
    EXPECT_EQ(*ids.rbegin(), IDC_ALLOW_PAIR1);
    // A message shown in a box has the box's title and icon; one for the status line has neither.
    for (int i = 0; i <= static_cast<int>(Occasion::ReaderBusy); ++i) {
        SCOPED_TRACE(testing::Message() << "occasion " << i);
        const Message& message = MessageFor(static_cast<Occasion>(i));
        EXPECT_EQ(message.title == nullptr, message.shown == Shown::Status);
        EXPECT_EQ(message.icon == 0, message.shown == Shown::Status);
    }
    const std::pair<std::uint16_t, const wchar_t*> cases[] = {{0x0100, L"Detect device OK,ver100"},
                                                              {0x000A, L"Detect device OK,verA"},
                                                              {0x0000, L"Detect device OK,ver0"},
                                                              {0xBEEF, L"设备已连接,verBEEF"}};
    for (const auto& [version, text] : cases)
        EXPECT_EQ(FoundText(version, version != 0xBEEF), text);
}

// The system's message for a failed call reads on after the window's text.
TEST(CliFailureText, TheSystemsMessageReadsOnAfterTheWindowsText) {
    const struct {
        const char* name;
        std::string message;
        std::uint32_t error;
        std::string reason;
    } cases[] = {
        {"a sentence", "The device is not connected.\r\n", 1167,
         "the device is not connected, error 1167"},
        {"an initialism kept", "HID class failure.\r\n", 1, "HID class failure, error 1"},
        {"two lines", "First line.\r\nSecond line.\r\n", 2, "first line. Second line, error 2"},
        {"no message", "", 258, "error 258"},
        {"A, the first capital", "Access is denied.\r\n", 5, "access is denied, error 5"},
        {"Z, the last capital", "Zero bytes read.", 38, "zero bytes read, error 38"},
        {"a, the first small letter", "Bad command.", 22, "bad command, error 22"},
        {"z, the last small letter", "Ozone.", 4, "ozone, error 4"},
        {"two letters", "Ok.", 6, "ok, error 6"},
        {"@, before the capitals", "@home failed.", 7, "@home failed, error 7"},
        {"[, after the capitals", "[device] lost.", 8, "[device] lost, error 8"},
        {"`, before the small letters", "A`b.", 9, "A`b, error 9"},
        {"{, after the small letters", "A{b}.", 10, "A{b}, error 10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::ReasonText(c.message, c.error), c.reason);
    }
    EXPECT_EQ(cli::CauseNote(reader::Operation::Read, "error 5"), " (read failed: error 5)");
    // One wording for each timeout, whichever command timed out (the window words them apart).
    EXPECT_EQ(cli::ConsoleText(Occasion::FormatReceiveTimeout), "Receive data timeout!");
    EXPECT_EQ(cli::ConsoleText(Occasion::CommandReceiveTimeout), "Receive data timeout!");
    EXPECT_EQ(cli::ConsoleText(Occasion::FormatSendTimeout), "Send data timeout!");
    EXPECT_EQ(cli::ConsoleText(Occasion::CommandSendTimeout), "Send data timeout!");
    EXPECT_EQ(cli::CauseNote(reader::Operation::None, "error 5"), "");
}

// Every saved profile and every path goes through UTF-8: each sequence length at both of its
// edges, the two sides of the surrogate block and the last character, there and back.
TEST(Utf8Text, EachLengthAtItsEdgesThereAndBack) {
    const struct {
        const char* name;
        std::wstring wide;
        std::string utf8;
    } cases[] = {
        {"U+007F, the last single byte", {0x7F}, "\x7F"},
        {"U+0080, the first of two bytes", {0x80}, "\xC2\x80"},
        {"U+07FF, the last of two bytes", {0x7FF}, "\xDF\xBF"},
        {"U+0800, the first of three bytes", {0x800}, "\xE0\xA0\x80"},
        {"U+D7FF, below the surrogates", {0xD7FF}, "\xED\x9F\xBF"},
        {"U+E000, above the surrogates", {0xE000}, "\xEE\x80\x80"},
        {"U+FFFF, the last of three bytes", {0xFFFF}, "\xEF\xBF\xBF"},
        {"U+10000, the first of four bytes", {0x10000}, "\xF0\x90\x80\x80"},
        {"U+FFFFF, the last before lead F4", {0xFFFFF}, "\xF3\xBF\xBF\xBF"},
        {"U+10FFFF, the last character", {0x10FFFF}, "\xF4\x8F\xBF\xBF"},
        {"each length in a row",
         {L'a', 0xE9, 0x4E2D, 0x1F600, L'z'},
         "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::Utf8(c.wide), c.utf8);
        EXPECT_EQ(settings::Wide(c.utf8), c.wide);
    }
}

// Window texts reach the console as UTF-8 (UTF-16 on Windows): a high surrogate followed by a
// low one is one character; any other surrogate is written as it is.
TEST(Utf8Text, ASurrogatePairIsOneCharacter) {
    const struct {
        const char* name;
        std::wstring wide;
        std::string utf8;
    } cases[] = {
        {"the first pair, at the start", {0xD800, 0xDC00, L'z'}, "\xF0\x90\x80\x80z"},
        {"the last pair, after a character", {L'a', 0xDBFF, 0xDFFF}, "a\xF4\x8F\xBF\xBF"},
        {"a pair between characters", {L'a', 0xD83D, 0xDE00, L'z'}, "a\xF0\x9F\x98\x80z"},
        {"a high surrogate before a character", {0xD800, L'z'}, "\xED\xA0\x80z"},
        {"a high surrogate before U+E000", {0xDBFF, 0xE000}, "\xED\xAF\xBF\xEE\x80\x80"},
        {"a high surrogate at the end", {L'a', 0xDBFF}, "a\xED\xAF\xBF"},
        {"a character before a low surrogate", {L'a', 0xDC00}, "a\xED\xB0\x80"},
        {"low surrogates first, then a high one",
         {0xDC00, 0xDC00, 0xD800},
         "\xED\xB0\x80\xED\xB0\x80\xED\xA0\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::Utf8(c.wide), c.utf8);
    }
}

// Paths and reasons come back from UTF-8 for the window's boxes: every well-formed sequence as
// its character, anything else as U+FFFD, one per byte.
TEST(Utf8Text, WideReadsWellFormedSequencesAndMarksTheRest) {
    const struct {
        const char* name;
        std::string utf8;
        std::wstring wide;
    } cases[] = {
        {"a continuation byte alone", "\x80", {0xFFFD}},
        {"a lead byte without its continuation", "\xC3(", {0xFFFD, L'('}},
        {"an overlong form", "\xC0\xAF", {0xFFFD, 0xFFFD}},
        {"a surrogate", "\xED\xA0\x80", {0xFFFD, 0xFFFD, 0xFFFD}},
        {"above U+10FFFF", "\xF4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}},
        {"three bytes, the last not a continuation", "\xE2\x82(", {0xFFFD, 0xFFFD, L'('}},
        {"four bytes, the third not a continuation",
         "\xF0\x9F(\x80",
         {0xFFFD, 0xFFFD, L'(', 0xFFFD}},
        {"four bytes cut by the end", "a\xF0\x9F\x98", {L'a', 0xFFFD, 0xFFFD, 0xFFFD}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::Wide(c.utf8), c.wide);
    }
    EXPECT_EQ(settings::Utf8SequenceLength("a", 1), 0u);  // at the end: no sequence
    const std::string faceAndPath = "\xF0\x9F\x98\x80 C:\\till \xE5\xBA\x97.zp350";
    EXPECT_EQ(settings::Utf8(settings::Wide(faceAndPath)), faceAndPath);
}

// Listing lines and JSON.
TEST(CliOutput, Listing) {
    const cli::ListedReader reader{{"\\\\?\\hid#vid_5131&pid_2007#1", 0x5131, 0x2007, 0x0100},
                                   std::string("V1.0")};
    EXPECT_EQ(cli::ListingLine(12, {{"p\"2", 0x5131, 0x2007, 0x000A}, std::nullopt}),
              "12  p\"2  5131:2007  verA  -");
    EXPECT_EQ(cli::ListingJson({reader, {{"x\x01\x7F\xE9", 1, 2, 3}, std::string("\xC3\xA9")}}),
              "[\n  {\"number\": 1, \"path\": \"\\\\\\\\?\\\\hid#vid_5131&pid_2007#1\", "
              "\"vendorId\": 20785, "
              "\"productId\": 8199, \"versionNumber\": 256, \"versionText\": \"V1.0\"},\n"
              "  {\"number\": 2, \"path\": \"x\\u0001\\u007F\\u00E9\", \"vendorId\": 1, "
              "\"productId\": 2, "
              "\"versionNumber\": 3, \"versionText\": \"\xC3\xA9\"}\n]\n");
    EXPECT_EQ(cli::ListingJson({}), "[]\n");
}

// What a reader tells comes out on one line of UTF-8 with nothing a console acts on, in the
// listing's line and JSON alike (the version command's line is escaped the same way).
TEST(CliOutput, VersionTextsFromTheReaderAreEscaped) {
    const struct {
        const char* name;
        std::string version;
        std::string shown;  // in the line
        std::string json;   // inside the JSON string: each backslash doubled
    } cases[] = {
        {"a line feed", "V1\nV2", "V1\\nV2", "V1\\\\nV2"},
        {"an escape sequence", "\x1b[2JV1", "\\x1b[2JV1", "\\\\x1b[2JV1"},
        {"a byte that is not UTF-8", "V\xE9", "V\\xe9", "V\\\\xe9"},
        {"delete", "V\x7F", "V\\x7f", "V\\\\x7f"},
        {"UTF-8 kept", "V\xC3\xA9", "V\xC3\xA9", "V\xC3\xA9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const cli::ListedReader listed{{"p", 0x5131, 0x2007, 0x0100}, c.version};
        EXPECT_EQ(cli::ListingLine(1, listed), "1  p  5131:2007  ver100  " + c.shown);
        const std::string json = cli::ListingJson({listed});
        EXPECT_NE(json.find("\"versionText\": \"" + c.json + "\"}"), std::string::npos) << json;
    }
}

}  // namespace
