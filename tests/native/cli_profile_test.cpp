// Profiles: refusals name their line, a profile survives being read and written again, and
// the setup it holds encodes to the same report bytes as the settings window's form with
// the same choices.
#include <gtest/gtest.h>

#include <string>

#include "app/form_record.h"
#include "app/form_rules.h"
#include "cli/listing.h"
#include "cli/profile.h"
#include "res/resource.h"

namespace {

using reader::Bytes;

std::string ErrorOf(const std::string& text) {
    const cli::ProfileResult result = cli::ParseProfile(text);
    EXPECT_FALSE(result.setup) << text;
    return result.error;
}

cli::Setup SetupOf(const std::string& text) {
    const cli::ProfileResult result = cli::ParseProfile(text);
    EXPECT_TRUE(result.setup) << result.error;
    return result.setup.value_or(cli::Setup{});
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
        {std::string("tracks = 1\0\n", 12), "line 1: not UTF-8 text: not a profile"},
        {std::string(cli::kMaxProfileBytes + 1, '#'), "larger than 64 KiB: not a profile"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.text), c.error) << c.text.substr(0, 40);
}

TEST(CliProfile, CommentsBlanksAndByteOrderMarkAreAllowed) {
    const cli::Setup setup = SetupOf(
        "\xEF\xBB\xBF# tills of the north shop — ünïcode is fine in comments\r\n"
        "\r\n"
        "  tracks = 2   \r\n"
        "cr=none\r\n"
        "track2-start = #\r\n");
    EXPECT_EQ(reader::FormatPayload(setup.format),
              (Bytes{0x25, 0x3F, 0x23, 0x3F, 0x2B, 0x3F, 0x32, 0x30}));
    EXPECT_FALSE(setup.replace.enabled[0] || setup.replace.enabled[1]);
}

TEST(CliProfile, RoundTripKeepsEveryChoice) {
    const char* profiles[] = {
        "tracks = 1,3\ncr = 1,3\ntrack2-end =\nreplace = a=b x=y\n",
        "tracks = 2\ncr = none\ntrack1-start = A\ntrack3-end = =\nreplace = none\n",
        "cr = packet\nreplace = ===\n",
        "tracks = 1,2,3\ncr = 2\nreplace = #=!\n",
    };
    for (const char* text : profiles) {
        const cli::Setup first = SetupOf(text);
        const std::string written = cli::WriteProfile(first);
        const cli::Setup second = SetupOf(written);
        EXPECT_EQ(cli::WriteProfile(second), written);
        EXPECT_EQ(reader::FormatPayload(second.format), reader::FormatPayload(first.format));
        EXPECT_EQ(reader::ReplacePayload(second.replace), reader::ReplacePayload(first.replace));
        for (int pair = 0; pair < 2; ++pair)
            EXPECT_EQ(second.replace.enabled[pair], first.replace.enabled[pair]) << text;
    }
}

// The window's form reached by clicks, as a plain record.
struct Click {
    int id;
    bool checked;
};
PlainForm FormAfter(const std::vector<Click>& clicks,
                    const std::vector<std::pair<int, wchar_t>>& texts) {
    PlainForm form;
    RestoreDefaultFormat(form);
    for (const Click& click : clicks) {
        form.SetChecked(click.id, click.checked);
        if (click.id == IDC_CR_PACKET)
            ApplyPacketCrRule(form);
        else if (click.id >= IDC_CR_TRACK1 && click.id <= IDC_CR_TRACK3)
            ApplyTrackCrRule(form, click.id);
        else if (click.id == IDC_ALLOW_PAIR1 || click.id == IDC_ALLOW_PAIR2)
            ApplyAllowRule(form, click.id);
    }
    for (const auto& text : texts) {
        const wchar_t value[2] = {text.second, 0};
        form.SetText(text.first, value);
    }
    return form;
}

TEST(CliProfile, EncodesAsTheWindowsFormWithTheSameChoices) {
    const struct {
        const char* profile;
        std::vector<Click> clicks;
        std::vector<std::pair<int, wchar_t>> texts;
    } cases[] = {
        {"tracks = 1,2,3\n", {}, {}},
        {"tracks = 2\ncr = none\n",
         {{IDC_OUTPUT_TRACK1, false}, {IDC_OUTPUT_TRACK3, false}, {IDC_CR_PACKET, false}},
         {}},
        {"tracks = 1,3\ncr = 1,3\ntrack1-start = A\ntrack3-end = !\n",
         {{IDC_OUTPUT_TRACK2, false},
          {IDC_CR_PACKET, false},
          {IDC_CR_TRACK1, true},
          {IDC_CR_TRACK3, true}},
         {{IDC_TRACK1_START, L'A'}, {IDC_TRACK3_END, L'!'}}},
        {"cr = 2\ntrack2-start = :\ntrack2-end = /\n",
         {{IDC_CR_PACKET, false}, {IDC_CR_TRACK2, true}},
         {{IDC_TRACK2_START, L':'}, {IDC_TRACK2_END, L'/'}}},
        {"replace = a=b\n",
         {{IDC_ALLOW_PAIR1, true}},
         {{IDC_PAIR1_CHAR, L'a'}, {IDC_PAIR1_REPLACEMENT, L'b'}}},
        {"replace = x=y\n",  // the first pair a profile gives is the window's upper pair
         {{IDC_ALLOW_PAIR1, true}},
         {{IDC_PAIR1_CHAR, L'x'}, {IDC_PAIR1_REPLACEMENT, L'y'}}},
        {"replace = a=b x=y\n",
         {{IDC_ALLOW_PAIR1, true}, {IDC_ALLOW_PAIR2, true}},
         {{IDC_PAIR1_CHAR, L'a'},
          {IDC_PAIR1_REPLACEMENT, L'b'},
          {IDC_PAIR2_CHAR, L'x'},
          {IDC_PAIR2_REPLACEMENT, L'y'}}},
    };
    for (const auto& c : cases) {
        const cli::Setup setup = SetupOf(c.profile);
        const PlainForm form = FormAfter(c.clicks, c.texts);
        EXPECT_EQ(reader::FormatPayload(setup.format), reader::FormatPayload(ReadFormatForm(form)))
            << c.profile;
        EXPECT_EQ(reader::ReplacePayload(setup.replace),
                  reader::ReplacePayload(ReadReplaceForm(form)))
            << c.profile;
    }
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
