#include "swipe/card_mask.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "settings/quoting.h"
#include "settings/utf8.h"
#include "swipe/character_tables.h"
#include "swipe/keyboard_layouts.h"

namespace swipe {
namespace {

constexpr std::size_t kShownFirst = 6;
constexpr std::size_t kShortestCardNumber = 12;
constexpr std::size_t kShownLast = 4;
constexpr char32_t kNothing = 0xFFFF;

enum class Kind : unsigned char { Other, Digit, Separator };

// What the Unicode tables say of `c`.
Kind TableKind(char32_t c) {
    const CharacterRange* end = kCharacterRanges + kCharacterRangeCount;
    const CharacterRange* range =
        std::upper_bound(kCharacterRanges, end, c,
                         [](char32_t value, const CharacterRange& r) { return value < r.first; });
    if (range == kCharacterRanges || c > (range - 1)->last)
        return Kind::Other;
    return (range - 1)->value == kSeparator ? Kind::Separator : Kind::Digit;
}

Kind KindOf(char32_t c) {
    static const auto ascii = [] {
        std::array<Kind, 128> kinds{};
        for (char32_t a = 0; a < 128; ++a)
            kinds[a] = TableKind(a);
        return kinds;
    }();
    return c < 128 ? ascii[c] : TableKind(c);
}

// The readings of digits: the digits of every script with the extra ones (reading 0), and
// besides them each different set of characters that a known layout's digit keys type.
using Readings = std::uint32_t;  // one bit per reading in which a character is a digit
constexpr Readings kEveryReading = ~Readings{0};

struct Character {
    std::size_t at = 0;
    std::size_t size = 0;
    Kind kind = Kind::Other;
    Readings digitIn = 0;
};

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The length of the escape at `at` of escaped text: \t, \r, \n, \xNN or \uNNNN; 0 for none.
std::size_t EscapeLength(std::string_view text, std::size_t at) {
    if (text[at] != '\\' || at + 1 >= text.size())
        return 0;
    const char kind = text[at + 1];
    if (kind == 't' || kind == 'r' || kind == 'n')
        return 2;
    const std::size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : 0;
    if (digits == 0 || at + 2 + digits > text.size())
        return 0;
    for (std::size_t i = 0; i < digits; ++i)
        if (!IsHex(text[at + 2 + i]))
            return 0;
    return 2 + digits;
}

// The characters that each known layout's digit keys type, where they are no digits of a
// script: one row per different set.
const std::vector<std::vector<char32_t>>& LayoutDigitRows() {
    static const std::vector<std::vector<char32_t>> rows = [] {
        std::vector<std::vector<char32_t>> found;
        for (const KeyboardLayout& layout : NamedLayouts()) {
            std::vector<char32_t> row;
            for (const char32_t c : DigitKeys(layout))
                if (c != kNothing && KindOf(c) != Kind::Digit)
                    row.push_back(c);
            if (!row.empty() && std::find(found.begin(), found.end(), row) == found.end())
                found.push_back(row);
        }
        return found;
    }();
    return rows;
}

bool IsIn(const std::vector<char32_t>& row, char32_t c) {
    return std::find(row.begin(), row.end(), c) != row.end();
}

// The readings in which `c`, of `kind`, is a digit by a layout's digit keys.
Readings LayoutDigitIn(char32_t c, Kind kind) {
    if (kind == Kind::Digit)
        return kEveryReading;
    Readings readings = 0;
    const std::vector<std::vector<char32_t>>& rows = LayoutDigitRows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (IsIn(rows[row], c))
            readings |= Readings{2} << row;
    return readings;
}

// The readings in which `c`, of `kind`, is a digit.
Readings DigitIn(char32_t c, Kind kind, const std::vector<char32_t>& extra) {
    static const auto ascii = [] {
        std::array<Readings, 128> readings{};
        for (char32_t a = 0; a < 128; ++a)
            readings[a] = LayoutDigitIn(a, KindOf(a));
        return readings;
    }();
    const Readings byLayouts = c < 128 ? ascii[c] : LayoutDigitIn(c, kind);
    return byLayouts | (!extra.empty() && IsIn(extra, c) ? 1 : 0);
}

std::vector<Character> Characters(std::string_view text, const MaskOptions& options) {
    // Where the characters are and what they are, not what they are: no card data.
    std::vector<Character> characters;
    characters.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        Character character;
        character.at = at;
        const std::size_t escape = options.escaped ? EscapeLength(text, at) : 0;
        if (escape != 0) {
            character.size = escape;
            character.kind = Kind::Separator;
        } else {
            const bool wellFormed = settings::Utf8SequenceLength(text, at) > 0;
            const char32_t c = settings::DecodeUtf8(text, at, character.size);
            character.kind = !wellFormed || settings::ShowsNothing(c) ? Kind::Separator : KindOf(c);
            character.digitIn = wellFormed ? DigitIn(c, character.kind, options.digits) : 0;
        }
        at += character.size;
        characters.push_back(character);
    }
    return characters;
}

// Marks in `hidden` the digits of each number of `reading` that are not shown.
void MarkNumbers(const std::vector<Character>& characters, Readings reading,
                 const MaskOptions& options, std::vector<bool>& hidden) {
    const bool open = options.open;
    const auto kind = [&](std::size_t i) {
        const Character& character = characters[i];
        return (character.digitIn & reading) != 0 ? Kind::Digit
               : character.kind == Kind::Digit    ? Kind::Other
                                                  : character.kind;
    };
    std::vector<std::size_t> run;
    for (std::size_t i = 0; i < characters.size();) {
        if (kind(i) != Kind::Digit) {
            ++i;
            continue;
        }
        run.clear();
        for (; i < characters.size() && kind(i) != Kind::Other; ++i)
            if (kind(i) == Kind::Digit)
                run.push_back(i);
        const bool mayGoOn = open && i == characters.size();
        const std::size_t count = run.size();
        if (count < options.shortest && !(mayGoOn && count > kShownFirst))
            continue;
        const std::size_t shownFirst = options.keepEnds ? kShownFirst : 0;
        const std::size_t shownLast = mayGoOn || !options.keepEnds ? 0 : kShownLast;
        for (std::size_t k = shownFirst; k + shownLast < count; ++k)
            hidden[run[k]] = true;
    }
}

// `text` with each character marked in `hidden` as '*'.
CardText Replaced(std::string_view text, const std::vector<Character>& characters,
                  const std::vector<bool>& hidden) {
    CardText shown;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (hidden[i])
            shown += '*';
        else
            shown += text.substr(characters[i].at, characters[i].size);
    }
    return shown;
}

}  // namespace

CardText MaskNumbers(std::string_view text, const MaskOptions& options) {
    const std::vector<Character> characters = Characters(text, options);
    // Nothing to mask where no reading finds as many digits as a number has.
    Readings found{};
    std::size_t digits = 0;
    for (const Character& character : characters) {
        found |= character.digitIn;
        digits += character.digitIn != 0 ? 1 : 0;
    }
    if (digits < options.shortest && !(options.open && digits > kShownFirst))
        return CardText(text);
    std::vector<bool> hidden(characters.size(), false);
    const std::size_t readings = options.layouts ? LayoutDigitRows().size() : 0;
    for (std::size_t reading = 0; reading <= readings; ++reading)
        if ((found & (Readings{1} << reading)) != 0)
            MarkNumbers(characters, Readings{1} << reading, options, hidden);
    return Replaced(text, characters, hidden);
}

namespace {

bool Within(std::size_t at, const std::vector<Field>& fields) {
    for (const Field& field : fields)
        if (at >= field.at && at < field.at + field.size)
            return true;
    return false;
}

}  // namespace

void AddTrack(std::string_view text, Field piece, Field number, Field hidden, bool mayGoOn,
              Visible& visible) {
    visible.known.push_back(piece);
    if (hidden.size > 0)
        visible.hidden.push_back(hidden);
    std::vector<Field> characters;
    for (std::size_t at = number.at; at < number.at + number.size && at < text.size();) {
        std::size_t size = 0;
        settings::DecodeUtf8(text, at, size);
        characters.push_back({at, size});
        at += size;
    }
    const std::size_t count = characters.size();
    if (!mayGoOn && count < kShortestCardNumber)
        return;  // no card number: nothing of it shows
    for (std::size_t k = 0; k < count; ++k)
        if (k < kShownFirst || (!mayGoOn && k + kShownLast >= count))
            visible.shown.push_back(characters[k]);
}

CardText HideDigits(std::string_view text, const Visible& visible, const MaskOptions& options) {
    MaskOptions plain = options;
    plain.escaped = false;
    const std::vector<Character> characters = Characters(text, plain);
    std::vector<bool> hide(characters.size(), false);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const Character& character = characters[i];
        if (Within(character.at, visible.hidden)) {
            hide[i] = true;
            continue;
        }
        if (Within(character.at, visible.shown))
            continue;
        const bool known = Within(character.at, visible.known);
        hide[i] = character.kind == Kind::Digit || (character.digitIn & 1) != 0 ||
                  (!known && character.digitIn != 0);
    }
    return Replaced(text, characters, hide);
}

}  // namespace swipe
