// The swipe check over the formats, cards and typing of the reader model
// (tests/model/reader_typing.h): the check reads the reader's own format back and nothing
// differs.
//
// And no output shows more of a card than the first six and last four digits of a number
// the check found. Texts that hold numbers of 12 to 19 digits, written as people and
// keyboards write them (the digits of any script, what a layout's digit keys type, a pair's
// replacement, blanks, dashes, dots, controls and invisible characters between the groups),
// alone, around random text or inside a swipe typed through a layout, go through every
// output: the window's lines, its result box and capture box (complete, and while it is
// typed), the companion's lines and JSON, and the error lines that quote an argument or a
// profile's line. The oracle reads each output as a curious person would, on its own terms:
// each script's digits known from their zeros, every layout's digit keys, a pair's
// replacement, blanks, dashes, dots and escapes dropped; it finds no more than six digits in a
// row (eight with a quote or bracket that a layout's digit key types on either side), and
// while a swipe is still typed no more than six at the end of the box.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/shown_console.h"
#include "cli/swipe_output.h"
#include "fuzz_check.h"
#include "settings/profile.h"
#include "settings/quoting.h"
#include "settings/utf8.h"
#include "swipe/keyboard_layouts.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"
#include "swipe/typed_text.h"
#include "tests/model/reader_typing.h"

namespace {

using swipe::CardText;

// ---- The curious reader ----

// The zeros of the decimal digits of every script; each script's digits follow its zero.
const char32_t kZeros[] = {
    0x30,    0x660,   0x6F0,   0x7C0,   0x966,   0x9E6,   0xA66,   0xAE6,   0xB66,   0xBE6,
    0xC66,   0xCE6,   0xD66,   0xDE6,   0xE50,   0xED0,   0xF20,   0x1040,  0x1090,  0x17E0,
    0x1810,  0x1946,  0x19D0,  0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,
    0xA8D0,  0xA900,  0xA9D0,  0xA9F0,  0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066,
    0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0,
    0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60, 0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2,
    0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0,
};

// A digit written small above or below the line or in a circle: its value, or -1.
int SmallOrCircled(char32_t c) {
    const std::pair<char32_t, int> single[] = {{0x2070, 0}, {0xB9, 1}, {0xB2, 2}, {0xB3, 3}};
    for (const auto& [code, value] : single)
        if (c == code)
            return value;
    if (c >= 0x2074 && c <= 0x2079)
        return static_cast<int>(c - 0x2070);
    if (c >= 0x2080 && c <= 0x2089)
        return static_cast<int>(c - 0x2080);
    if (c >= 0x2460 && c <= 0x2468)
        return static_cast<int>(c - 0x2460) + 1;
    return -1;
}

// How one person reads digits: each script's, and besides them the characters of `keys` (a
// layout's digit keys, or a form's replacements) as the digits they stand for.
struct ReadingOfDigits {
    std::vector<std::pair<char32_t, int>> keys;

    int Digit(char32_t c) const {
        const char32_t* zero = std::upper_bound(std::begin(kZeros), std::end(kZeros), c);
        if (zero != std::begin(kZeros) && c <= *(zero - 1) + 9)
            return static_cast<int>(c - *(zero - 1));
        if (SmallOrCircled(c) >= 0)
            return SmallOrCircled(c);
        for (const auto& [key, digit] : keys)
            if (key == c)
                return digit;
        return -1;
    }
};

// What a reader passes over between the groups of a number: blanks, dashes, dots, and what
// shows nothing.
bool PassedOver(char32_t c) {
    const char32_t marks[] = {' ',    '\t',   0xA0,   0x2009, 0x202F, 0x3000, '-',
                              0x2010, 0x2011, 0x2013, 0x2014, 0x2212, 0xFF0D, '.',
                              0xB7,   0xFF0E, 0x3002, 0x200B, 0x2060, 0xFEFF};
    return c < 0x20 || c == 0x7F ||
           std::find(std::begin(marks), std::end(marks), c) != std::end(marks);
}

bool Hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The length of an escape a reader sees through (\t, \r, \n, \xNN, \uNNNN) at `at`; 0 for none.
std::size_t EscapeAt(std::string_view text, std::size_t at) {
    if (text[at] != '\\' || at + 1 >= text.size())
        return 0;
    const char kind = text[at + 1];
    if (kind == 't' || kind == 'r' || kind == 'n')
        return 2;
    const std::size_t hex = kind == 'x' ? 2 : kind == 'u' ? 4 : 0;
    if (hex == 0 || at + 2 + hex > text.size())
        return 0;
    for (std::size_t i = 0; i < hex; ++i)
        if (!Hex(text[at + 2 + i]))
            return 0;
    return 2 + hex;
}

// What a reader sees of each character: a digit of some script, something passed over, or a
// character that some reading may take for a digit; escapes read either way.
struct Seen {
    char32_t c = 0;
    int digit = -1;
    bool passedOver = false;
};

std::vector<Seen> SeenIn(std::string_view text, bool seeThroughEscapes) {
    std::vector<Seen> seen;
    ReadingOfDigits scripts;
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        Seen character;
        length = seeThroughEscapes ? EscapeAt(text, at) : 0;
        if (length > 0) {
            character.passedOver = true;  // what the escape stands for shows nothing
        } else if (settings::Utf8SequenceLength(text, at) == 0) {
            length = 1;
            character.passedOver = true;  // a stray byte, shown as an escape
        } else {
            character.c = settings::DecodeUtf8(text, at, length);
            character.digit = scripts.Digit(character.c);
            character.passedOver = character.digit < 0 && PassedOver(character.c);
        }
        seen.push_back(character);
    }
    return seen;
}

struct Runs {
    std::size_t longest = 0;  // digits in a row, what is passed over dropped
    std::size_t atEnd = 0;    // those of the run the text ends in
};

Runs ReadDigits(const std::vector<Seen>& seen, const ReadingOfDigits& reading) {
    Runs runs;
    std::size_t run = 0;
    for (const Seen& character : seen) {
        bool digit = character.digit >= 0;
        for (std::size_t k = 0; !digit && !character.passedOver && k < reading.keys.size(); ++k)
            digit = reading.keys[k].first == character.c;
        if (digit)
            runs.longest = std::max(runs.longest, ++run);
        else if (!character.passedOver)
            run = 0;
    }
    runs.atEnd = run;
    return runs;
}

std::vector<ReadingOfDigits> LayoutReadings() {
    std::vector<ReadingOfDigits> readings;
    for (const swipe::KeyboardLayout& layout : swipe::NamedLayouts()) {
        ReadingOfDigits reading;
        for (int digit = 0; digit < 10; ++digit) {
            const CardText key = swipe::TypeThrough(layout, false, std::string(1, '0' + digit));
            std::size_t length = 0;
            const char32_t c = key.empty() ? 0 : settings::DecodeUtf8(key, 0, length);
            if (c != 0 && ReadingOfDigits().Digit(c) < 0)
                reading.keys.emplace_back(c, digit);
        }
        // A layout whose digit keys type digits reads as everyone does.
        if (!reading.keys.empty())
            readings.push_back(reading);
    }
    return readings;
}

// Each script's digits with the form's replacements of digits, then each layout's digit keys.
std::vector<ReadingOfDigits> Readings(const settings::Setup& form) {
    static const std::vector<ReadingOfDigits> layouts = LayoutReadings();
    std::vector<ReadingOfDigits> readings(1);
    for (int i = 0; i < 2; ++i) {
        const auto& replace = form.replace;
        if (replace.enabled[i] && replace.original[i] && replace.replacement[i] &&
            *replace.original[i] >= '0' && *replace.original[i] <= '9')
            readings[0].keys.emplace_back(*replace.replacement[i], *replace.original[i] - '0');
    }
    readings.insert(readings.end(), layouts.begin(), layouts.end());
    return readings;
}

// The most digits in a row an output may show: a number's first six, with a quote or bracket
// on either side that some layout's digit key types.
constexpr std::size_t kMostInARow = 6 + 2;

// No more than a number's first six digits can be read in a row from `shown`; while
// `growing`, none more than six at its end.
void CheckNothingReadable(std::string_view shown, const std::vector<ReadingOfDigits>& readings,
                          bool growing = false) {
    for (const bool throughEscapes : {false, true}) {
        const std::vector<Seen> seen = SeenIn(shown, throughEscapes);
        for (const ReadingOfDigits& reading : readings) {
            const Runs runs = ReadDigits(seen, reading);
            FUZZ_CHECK(runs.longest <= kMostInARow);
            FUZZ_CHECK(!growing || runs.atEnd <= 6);
        }
    }
}

// Every output of the swipe check and of the companion for `typed` with `form`.
void CheckOutputs(const settings::Setup& form, std::string_view typed) {
    const std::vector<ReadingOfDigits> readings = Readings(form);
    const swipe::ShowRule rule = swipe::RuleFor(form, false);
    const swipe::SwipeCheck check = swipe::CheckSwipe(form, typed);
    for (const bool english : {true, false}) {
        for (const swipe::CardWide& line : swipe::ResultLines(check, english, rule))
            CheckNothingReadable(swipe::Utf8Of(line), readings);
        CheckNothingReadable(swipe::Utf8Of(swipe::ResultText(check, english, rule)), readings);
    }
    CheckNothingReadable(swipe::Utf8Of(swipe::CaptureText(form, typed, true, rule)), readings);
    for (std::size_t cut = typed.size() / 4; cut < typed.size(); cut += 1 + typed.size() / 4)
        CheckNothingReadable(
            swipe::Utf8Of(swipe::CaptureText(form, typed.substr(0, cut), false, rule)), readings,
            true);
    CheckNothingReadable(cli::SwipeText(check, rule, 2, 3), readings);
    CheckNothingReadable(cli::SwipeJson(check, rule), readings);
}

// The companion's error lines and the window's profile errors quote what a person gave.
struct Kept : cli::Console {
    void Out(std::string_view text) override { shown += text; }
    void Err(std::string_view text) override { shown += text; }
    std::string shown;
};

void CheckErrorLines(const std::string& given) {
    Kept kept;
    cli::ShownConsole console(kept);
    console.Err(cli::ParseArguments({given}).error + "\n");
    console.Err(cli::ParseArguments({"swipe", "--track1-start=" + given}).error + "\n");
    console.Err(settings::ParseProfile("tracks = " + given + "\n").error + "\n");
    console.Err(settings::ParseProfile(given).error + "\n");
    CheckNothingReadable(kept.shown, Readings(settings::Setup()));
}

// ---- Numbers written as people and keyboards write them ----

const char* const kBetweenGroups[] = {
    " ",
    "-",
    ".",
    "\xC2\xA0",
    "\xE2\x80\x89",
    "\xE2\x80\x93",
    "\xE2\x80\x94",
    "\t",
    "\x01",
    "\xE2\x80\x8B",
    "\xC2\xB7",
    "\xEF\xBC\x8D",
    "\xE2\x81\xA0",
    "\r",
    " - ",
};

CardText Written(FuzzInput& in, const std::string& digits, const settings::Setup& form) {
    const std::vector<swipe::KeyboardLayout>& layouts = swipe::NamedLayouts();
    const std::uint8_t style = in.Byte() % 4;
    const char32_t zero = kZeros[in.Byte() % std::size(kZeros)];
    const swipe::KeyboardLayout& layout = layouts[in.Byte() % layouts.size()];
    CardText written;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && in.Byte() % 4 == 0)
            written += kBetweenGroups[in.Byte() % std::size(kBetweenGroups)];
        const int digit = digits[i] - '0';
        const std::uint8_t each = style == 3 ? in.Byte() % 3 : style;
        if (each == 1)
            settings::AppendUtf8(written, zero + static_cast<char32_t>(digit));
        else if (each == 2)
            written += swipe::TypeThrough(layout, false, std::string(1, digits[i]));
        else
            written += digits[i];
    }
    // A pair of the form may turn a digit into another character.
    for (int pair = 0; pair < 2; ++pair) {
        const auto& replace = form.replace;
        if (!replace.enabled[pair] || !replace.original[pair] || !replace.replacement[pair])
            continue;
        CardText replaced;
        for (const char c : written)
            replaced += c == static_cast<char>(*replace.original[pair])
                            ? static_cast<char>(*replace.replacement[pair])
                            : c;
        written = replaced;
    }
    return written;
}

std::string Digits(FuzzInput& in) {
    std::string digits;
    const std::size_t length = 12 + in.Byte() % 8;
    for (std::size_t i = 0; i < length; ++i)
        digits += static_cast<char>('0' + in.Byte() % 10);
    return digits;
}

// A form the window sends: printable ASCII sentinels, at least one track, carriage returns
// after the packet or after tracks, never both.
settings::Setup WindowForm(FuzzInput& in) {
    settings::Setup form;
    for (auto& sentinel : form.format.sentinels)
        if (in.Flag())
            sentinel = static_cast<std::uint8_t>(0x20 + in.Byte() % 95);
    for (bool& track : form.format.outputTrack)
        track = in.Flag();
    if (!reader::AnyTrackChosen(form.format))
        form.format.outputTrack[in.Byte() % 3] = true;
    form.format.crAfterPacket = in.Flag();
    for (bool& cr : form.format.crAfterTrack)
        cr = !form.format.crAfterPacket && in.Flag();
    return form;
}

// Numbers inside random text, or inside the tracks of a swipe typed through a layout.
void CheckNumbers(FuzzInput& in) {
    settings::Setup form = WindowForm(in);
    if (in.Flag()) {  // a pair that turns a digit into a character the outputs do not use
        const char replacements[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz#$&@!~|+<>`";
        form.replace.enabled[0] = true;
        form.replace.original[0] = static_cast<std::uint8_t>('0' + in.Byte() % 10);
        form.replace.replacement[0] =
            static_cast<std::uint8_t>(replacements[in.Byte() % (sizeof(replacements) - 1)]);
    }
    CardText text;
    const int numbers = 1 + in.Byte() % 3;
    for (int i = 0; i < numbers; ++i) {
        const std::size_t noise = in.Byte() % 6;
        for (std::size_t k = 0; k < noise; ++k)
            text += static_cast<char>(in.Byte());
        text += Written(in, Digits(in), form);
    }
    if (in.Flag()) {
        // In a swipe: the number as track data, typed through a layout, Caps Lock on or off.
        const std::vector<swipe::KeyboardLayout>& layouts = swipe::NamedLayouts();
        const std::string digits = Digits(in);
        const CardText us = swipe::TypedFor(
            form, {"B" + digits + "^A^2512101123", digits + "=2512101123", "01" + digits + "=1"});
        text += swipe::TypeThrough(layouts[in.Byte() % layouts.size()], in.Flag(), us);
    }
    CheckOutputs(form, text);
    CheckErrorLines(std::string(text.view()));
}

// ---- The model of the reader ----

// A format and a card of the model: the reader's own format agrees, every output hides.
void CheckModel(FuzzInput& in) {
    auto next = [&in](int below) { return static_cast<int>(in.Byte() % below); };
    model::Maker<decltype(next)> make(next);
    const model::Format format = make.MakeFormat();
    const model::Card card = make.MakeCard();
    const std::string typed = model::Typed(format, card);
    const settings::Setup form = model::FormOf(format);
    const swipe::SwipeCheck check = swipe::CheckSwipe(form, typed);
    FUZZ_CHECK(check.differences.empty());
    FUZZ_CHECK(check.layouts.empty());
    FUZZ_CHECK(!check.capsLock);
    FUZZ_CHECK(check.findings.empty());
    FUZZ_CHECK(check.matches != check.agreesSoFar);
    CheckOutputs(form, typed);
}

// Any form and any bytes typed: nothing read past the end, nothing readable shown.
void CheckAnyText(FuzzInput& in) {
    settings::Setup form;
    for (auto& sentinel : form.format.sentinels)
        if (in.Flag())
            sentinel = in.Byte();
    for (int i = 0; i < 3; ++i) {
        form.format.outputTrack[i] = in.Flag();
        form.format.crAfterTrack[i] = in.Flag();
    }
    form.format.crAfterPacket = in.Flag();
    for (int i = 0; i < 2; ++i) {
        form.replace.enabled[i] = in.Flag();
        if (in.Flag())
            form.replace.original[i] = in.Byte();
        if (in.Flag())
            form.replace.replacement[i] = in.Byte();
    }
    const std::string typed(reinterpret_cast<const char*>(in.data), in.size);
    CheckOutputs(form, typed);
    CheckErrorLines(typed);
}

}  // namespace

void FuzzOne(FuzzInput& in) {
    switch (in.Byte() % 3) {
        case 0:
            CheckModel(in);
            break;
        case 1:
            CheckNumbers(in);
            break;
        default:
            CheckAnyText(in);
            break;
    }
}
