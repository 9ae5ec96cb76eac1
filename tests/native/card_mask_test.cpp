// Card data as card data: numbers masked by track field and wherever a number could be read,
// the one escaper, the text that wipes itself, the companion's input decoded and cut into
// swipes. Card numbers are invented.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "card_text_printer.h"
#include "settings/quoting.h"
#include "settings/utf8.h"
#include "swipe/card_mask.h"
#include "swipe/input_text.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"
#include "swipe/track_fields.h"

namespace {

using swipe::CardText;

struct MaskRow {
    const char* name;
    std::string text;
    std::string masked;
    swipe::MaskOptions options = {};
};

swipe::MaskOptions Digits(std::vector<char32_t> digits) {
    swipe::MaskOptions options;
    options.digits = std::move(digits);
    return options;
}
swipe::MaskOptions Open() {
    swipe::MaskOptions options;
    options.open = true;
    return options;
}
swipe::MaskOptions Escaped() {
    swipe::MaskOptions options;
    options.escaped = true;
    return options;
}

const MaskRow kMasks[] = {
    {"11 digits stay", "x52170000008x", "x52170000008x"},
    {"12 digits", "x521700000008x", "x521700**0008x"},
    {"19 digits, at the end", "x5217000000000000008", "x521700*********0008"},
    {"however long", "01521700000000000080000000000000", "015217**********************0000"},
    {"groups of blanks, dashes and dots", "5217 0000 0000.0008 on the card",
     "5217 00** ****.0008 on the card"},
    // '-' types 6 on a French keyboard: that reading hides it too.
    {"groups of several separators", "5217 - 0000 - 0000 - 0008", "5217 - 0*** * **** * 0008"},
    {"a comma ends no number", "5217,0000,0000,0008", "5217,00**,****,0008"},
    {"a letter ends it", "521700000008x521700000008", "521700**0008x521700**0008"},
    {"full-width digits", "５２１７０００００００００００８", "５２１７００******０００８"},
    {"Arabic-Indic digits", "٥٢١٧٠٠٠٠٠٠٠٠٠٠٠٨", "٥٢١٧٠٠******٠٠٠٨"},
    {"digits of two scripts in one number", "5217０٠٠٠00000008", "5217０٠******0008"},
    {"after a byte that starts no character",
     "\xFF"
     "521700000008",
     "\xFF"
     "521700**0008"},
    {"a byte that is no character between the groups",
     "521700\xFF"
     "000008",
     "521700\xFF"
     "**0008"},
    {"a control character between the groups",
     "5217\t0000\x01"
     "0000\r0008",
     "5217\t00**\x01****\r0008"},
    {"a zero-width space between them",
     "521700\xE2\x80\x8B"
     "000008",
     "521700\xE2\x80\x8B**0008"},
    {"AZERTY digits", "(é&èàààààààààààç=", "(é&èàà******àààç="},
    {"Czech digits", "řěščřžýáíé+ěšč", "řěščřž****+ěšč"},
    {"a pair's replacement of a digit", "52170000Z0000008", "521700******0008", Digits({U'Z'})},
    {"a number that may still grow shows its first six", "%B5217000", "%B521700*", Open()},
    {"a short run at the end of a growing text stays", "%B521700", "%B521700", Open()},
    {"an escape between groups is a separator", "5217\\t0000\\x010000\\u200b0008",
     "5217\\t00**\\x01****\\u200b0008", Escaped()},
    {"a backslash before another letter is no escape", "521700\\q000008", "521700\\q000008",
     Escaped()},
    {"nor one before what is no hexadecimal", "521700\\xg0000008", "521700\\xg0000008", Escaped()},
    {"an escape's own digits count for nothing", "\\x01\\x02\\x03\\x04\\x05\\x06",
     "\\x01\\x02\\x03\\x04\\x05\\x06", Escaped()},
};

TEST(CardMask, NumbersOfTwelveDigitsOrMore) {
    for (const MaskRow& row : kMasks) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(swipe::MaskNumbers(row.text, row.options), row.masked);
    }
}

// Where the check knows a track, its number field is masked whatever its characters are and
// its discretionary data hidden; the rest is masked as any text.
TEST(CardMask, TrackFieldsWhereTheCheckKnowsThem) {
    const settings::Setup form = settings::DefaultSetup();
    const struct {
        const char* name;
        std::string typed;
        std::string track;  // the line of the track that holds the number
    } cases[] = {
        {"track 3 of the ISO shape: format code, number, then more digits",
         "%E?;E?+0152170000000000000800=12345678901?\r",
         "Track 3: +**521700**********0800=***********?"},
        {"track 2 without its field separator, read as track 3",
         ";52170000000000000825121011234?+?\r", "Track 3: ;**170000*****************1234?"},
        {"track 1 typed in letters: no track, no digit shown",
         "%BQWERTYUIOPASDFGH^A^2512101?;E?+?\r",
         "After the packet: \"BQWERTYUIOPASDFGH^A^*******?;E?*?\\r\""},
        {"a short number", "%E?;1234=2512101987?+?\r", "Track 2: ;****=**********?"},
        {"track 1 without its second field separator: no track 1",
         "%B5217000000000008^ANNA 2512101123?;E?+?\r",
         "After the packet: \"NNA **********?;E?*?\\r\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const swipe::SwipeCheck check = swipe::CheckSwipe(form, c.typed);
        const std::vector<swipe::CardWide> lines =
            swipe::ResultLines(check, true, swipe::RuleFor(form, false));
        std::vector<std::string> shown;
        for (const swipe::CardWide& line : lines)
            shown.push_back(settings::Utf8(line));
        EXPECT_NE(std::find(shown.begin(), shown.end(), c.track), shown.end())
            << testing::PrintToString(shown);
    }
}

// A pair that puts a character in place of a digit makes that character a digit to mask; one
// of other characters does not.
TEST(CardMask, APairsReplacementOfADigitIsOne) {
    settings::Setup form = settings::DefaultSetup();
    form.replace.enabled[1] = true;
    form.replace.original[1] = '0';
    form.replace.replacement[1] = 'Z';
    EXPECT_EQ(swipe::DigitReplacements(form), std::vector<char32_t>{U'Z'});
    form.replace.original[1] = 'A';
    EXPECT_EQ(swipe::DigitReplacements(form), std::vector<char32_t>{});
}

// The capture box: the fields of the tracks it holds masked in place, a number at the end of
// a swipe still being typed showing its first six digits, every character the reader sends
// shown.
TEST(CardMask, TheCaptureBox) {
    const settings::Setup form = settings::DefaultSetup();
    const swipe::ShowRule masked = swipe::RuleFor(form, false);
    const swipe::ShowRule full = swipe::RuleFor(form, true);
    const std::string typed = "%B5217000000000008^A^2512101123?\r\b";
    EXPECT_EQ(swipe::CaptureText(form, typed, true, masked),
              L"%B521700******0008^A^**********?\u21B5\r\n\\x08");
    EXPECT_EQ(swipe::CaptureText(form, typed, true, full),
              L"%B5217000000000008^A^2512101123?\u21B5\r\n\\x08");
    EXPECT_EQ(swipe::CaptureText(form, "%B5217000000000008^A^251210112", false, masked),
              L"%B521700******0008^A^*********");
    // Still growing, whatever it will be: no more than six digits show.
    const std::wstring growing = swipe::CaptureText(form, "%B52170000000", false, masked).c_str();
    const auto digits = std::count_if(growing.begin(), growing.end(),
                                      [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    EXPECT_LE(digits, 6) << settings::Utf8(growing);
    EXPECT_EQ(swipe::CaptureText(form, "\xFFx\x1B A", true, full), L"\\xffx\\x1b A");
}

// The one escaper: plain text shows what was typed, escaping only what would act on a console
// or show nothing; JSON escapes as JSON does.
TEST(ShownText, OneEscaperForLinesJsonAndBoxes) {
    const struct {
        const char* name;
        std::string text;
        settings::EscapeFor use;
        std::string shown;
    } cases[] = {
        {"a line keeps quotes and backslashes", "a\\b\"c'", settings::EscapeFor::Line, "a\\b\"c'"},
        {"a line escapes controls", "a\tb\r\n\x1b\x7F", settings::EscapeFor::Line,
         "a\\tb\\r\\n\\x1b\\x7f"},
        {"a line escapes what shows nothing", "\xC2\x85\xEF\xBB\xBF", settings::EscapeFor::Line,
         "\\u0085\\ufeff"},
        {"JSON escapes quotes, backslashes and controls", "a\\\"\t\xFF", settings::EscapeFor::Json,
         "a\\\\\\\"\\u0009\\u00FF"},
        {"a box breaks the line at a carriage return", "a\rb\n", settings::EscapeFor::Box,
         "a\xE2\x86\xB5\r\nb\\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::Escaped(c.text, std::string::npos, c.use), c.shown);
    }
}

// A wiped text keeps nothing where it was; copies and moves are texts of their own.
TEST(CardText, CopiesMovesAndCuts) {
    CardText text = "5217000000000008";
    CardText copy = text;
    CardText moved = std::move(copy);
    text += "=2512";
    EXPECT_EQ(moved, "5217000000000008");
    EXPECT_EQ(text, "5217000000000008=2512");
    text.Truncate(4);
    EXPECT_EQ(text, "5217");
    EXPECT_EQ(text.substr(1, 2) + moved.substr(14),
              "21"
              "08");
    moved = text;
    EXPECT_EQ(moved, "5217");
    text.clear();
    EXPECT_TRUE(text.empty());
}

// What a file or a pipe hands the companion: decoded whatever Notepad saved it as, refused
// when it is no text or too long, never cut.
TEST(InputText, DecodedOrRefusedInOneLine) {
    const auto utf16 = [](const std::u16string& text, bool littleEndian, bool mark) {
        std::string bytes = mark ? (littleEndian ? "\xFF\xFE" : "\xFE\xFF") : "";
        for (const char16_t c : text) {
            const char lo = static_cast<char>(c & 0xFF);
            const char hi = static_cast<char>(c >> 8);
            bytes += littleEndian ? std::string{lo, hi} : std::string{hi, lo};
        }
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
        std::string text;
        std::string refusal;
    } cases[] = {
        {"UTF-8, line ends of every kind", "a\r\nb\nc\rd", "a\rb\rc\rd", ""},
        {"a byte-order mark is no character", "\xEF\xBB\xBF%B1?\n", "%B1?\r", ""},
        {"UTF-16 with its mark", utf16(u"%B1?\r\n\u015F", true, true), "%B1?\r\xC5\x9F", ""},
        {"UTF-16 without a mark", utf16(u"%B1?\r\n", true, false), "%B1?\r", ""},
        {"UTF-16 without a mark, half of it no ASCII", utf16(u"%\u015F", true, false), "%\xC5\x9F",
         ""},
        {"UTF-16, big-endian", utf16(u"%B1?", false, true), "%B1?", ""},
        {"UTF-16, big-endian without a mark", utf16(u"%B1?", false, false), "%B1?", ""},
        {"UTF-16 with a lone surrogate", utf16(u"%B\xD800?", true, true), "",
         "is UTF-16 (little-endian) that is not well formed: no swipe"},
        {"UTF-16 cut in a character", utf16(u"%B", false, true) + "?", "",
         "is UTF-16 (big-endian) that is not well formed: no swipe"},
        {"64 KiB is taken", std::string(swipe::kMaxInputBytes, 'x'),
         std::string(swipe::kMaxInputBytes, 'x'), ""},
        {"more is refused, not cut", std::string(swipe::kMaxInputBytes + 1, 'x'), "",
         "holds more than 64 KiB: no swipe is that long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const swipe::InputText input = swipe::DecodeInput(c.bytes);
        EXPECT_EQ(input.text, c.text);
        EXPECT_EQ(input.refusal, c.refusal);
    }
}

TEST(InputText, BlankLinesSeparateSwipes) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> swipes;
    } cases[] = {
        {"one swipe", "%B1?\r", {"%B1?\r"}},
        {"lines without a blank one between are one swipe", "%B1?\r;1?\r", {"%B1?\r;1?\r"}},
        {"a blank line between two", "%B1?\r\r;1?", {"%B1?\r", ";1?"}},
        {"blanks on the line between, and before and after",
         " \r%B1?\r \t\r\r;1?\r\r",
         {"%B1?\r", ";1?\r"}},
        {"nothing but blanks", " \r\t\r", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> swipes;
        for (const CardText& swipe : swipe::SplitSwipes(c.text))
            swipes.emplace_back(swipe.view());
        EXPECT_EQ(swipes, c.swipes);
    }
}

}  // namespace

namespace {

// Digits of any script, between any separators, with marks after each, are hidden where no
// track was read; what shows nothing is escaped by the one list.
TEST(CardMask, NoDigitShowsInTextTheCheckDidNotRead) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"groups separated by what no list named", "5217/0000:0000|0008\\1234~5678=9^1#2*3"},
        {"Swiss grouping",
         "5217\xE2\x80\x99"
         "0000\xE2\x80\x99"
         "0008"},
        {"a variation selector after each digit",
         "5\xEF\xB8\x8F"
         "2\xEF\xB8\x8F"
         "1\xEF\xB8\x8F"},
        {"a grapheme joiner and an accent",
         "5\xCD\x8F"
         "2\xCC\x81"
         "1\xCD\x8F"
         "7\xCC\x81"},
        {"Persian digits", "\xDB\xB5\xDB\xB2\xDB\xB1\xDB\xB7"},
        {"a number alone", "5217000000000008"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string shown(swipe::HideDigits(c.text, {}, swipe::MaskOptions()).view());
        EXPECT_EQ(shown.find_first_of("0123456789"), std::string::npos) << shown;
        EXPECT_EQ(shown.find("\xDB\xB5"), std::string::npos) << shown;
    }
    EXPECT_EQ(
        settings::Escaped<std::string>("\xCD\x8F", std::string::npos, settings::EscapeFor::Line),
        "\\u034f");
    EXPECT_EQ(settings::Escaped<std::string>("\xEF\xB8\x8F", std::string::npos,
                                             settings::EscapeFor::Line),
              "\\ufe0f");
}

}  // namespace

namespace {

// A pair that puts 'Z' in place of '0': the number reads as one (no misread named), and a 'Z'
// anywhere in a track read is a digit to hide, in the name too.
TEST(CardMask, APairsReplacementIsADigitInATrackToo) {
    settings::Setup form = settings::DefaultSetup();
    form.replace.enabled[0] = true;
    form.replace.original[0] = '0';
    form.replace.replacement[0] = 'Z';
    const std::string typed = "%B5217ZZZZZZZZZZZ8^ZED/ANNA^2512121?;5217ZZZZZZZZZZZ8=2512121?+?\r";
    const swipe::SwipeCheck check = swipe::CheckSwipe(form, typed);
    EXPECT_TRUE(check.matches);
    const std::string track1(
        swipe::TypedShown(check.tracks[0], swipe::RuleFor(form, false), settings::EscapeFor::Line)
            .view());
    EXPECT_EQ(track1, "%B5217ZZ******ZZZ8^*ED/ANNA^*******?");
}

// A name with characters beyond ASCII is read byte by byte as no digit and no separator.
TEST(CardMask, ANameBeyondAscii) {
    const swipe::SwipeCheck check =
        swipe::CheckSwipe(settings::DefaultSetup(), "%B5217000000000008^\xC3\x80NNA^2512101?+?\r");
    ASSERT_FALSE(check.tracks.empty());
    EXPECT_EQ(check.tracks[0].state, swipe::TrackState::Read);
}

}  // namespace

namespace {

// The discretionary data begins after the expiry date and the service code, or at the end of
// a track too short to hold them.
TEST(TrackFields, ATrackTooShortForItsFields) {
    const std::string data = "1=23";
    const std::vector<char> exact(data.begin(), data.end());
    const swipe::TrackFields fields = swipe::FieldsOf(2, std::string_view(exact.data(), 4));
    EXPECT_EQ(fields.number.size, 1u);
    EXPECT_EQ(fields.discretionary.at, 4u);
    EXPECT_EQ(fields.discretionary.size, 0u);
}

}  // namespace
