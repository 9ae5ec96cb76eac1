#include "swipe/card_mask.h"

#include <algorithm>
#include <array>

#include "settings/utf8.h"
#include "swipe/character_tables.h"
#include "swipe/keyboard_layouts.h"

namespace swipe {
namespace {

constexpr std::size_t kShortestNumber = 12;
constexpr std::size_t kShownFirst = 6;
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

struct Character {
    std::size_t at = 0;
    std::size_t size = 0;
    char32_t c = 0;
    Kind kind = Kind::Other;
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

CardVector<Character> Characters(std::string_view text, bool escaped) {
    CardVector<Character> characters;
    characters.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        Character character;
        character.at = at;
        const std::size_t escape = escaped ? EscapeLength(text, at) : 0;
        if (escape > 0) {
            character.size = escape;
            character.c = kNothing;
            character.kind = Kind::Separator;
        } else {
            const bool wellFormed = settings::Utf8SequenceLength(text, at) > 0;
            character.c = settings::DecodeUtf8(text, at, character.size);
            character.kind = wellFormed ? KindOf(character.c) : Kind::Separator;
        }
        at += character.size;
        characters.push_back(character);
    }
    return characters;
}

// The readings of digits: the digits of every script with the extra ones, and besides them
// each different set of characters that a known layout's digit keys type.
std::vector<std::vector<char32_t>> Readings(const std::vector<char32_t>& extra) {
    static const std::vector<std::vector<char32_t>> layoutRows = [] {
        std::vector<std::vector<char32_t>> rows;
        for (const KeyboardLayout& layout : NamedLayouts()) {
            std::vector<char32_t> row;
            for (const char32_t c : DigitKeys(layout))
                if (c != kNothing && KindOf(c) != Kind::Digit)
                    row.push_back(c);
            if (!row.empty() && std::find(rows.begin(), rows.end(), row) == rows.end())
                rows.push_back(row);
        }
        return rows;
    }();
    std::vector<std::vector<char32_t>> readings = {extra};
    readings.insert(readings.end(), layoutRows.begin(), layoutRows.end());
    return readings;
}

// Marks in `hidden` the digits of each number of one reading that are not shown.
void MarkNumbers(const CardVector<Character>& characters, const std::vector<char32_t>& digits,
                 bool open, std::vector<bool>& hidden) {
    const auto kind = [&](std::size_t i) {
        const Character& character = characters[i];
        if (character.kind == Kind::Digit ||
            std::find(digits.begin(), digits.end(), character.c) != digits.end())
            return Kind::Digit;
        return character.kind;
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
        if (count < kShortestNumber && !(mayGoOn && count > kShownFirst))
            continue;
        const std::size_t shownLast = mayGoOn ? 0 : kShownLast;
        for (std::size_t k = kShownFirst; k + shownLast < count; ++k)
            hidden[run[k]] = true;
    }
}

// `text` with each character marked in `hidden` as '*'.
CardText Replaced(std::string_view text, const CardVector<Character>& characters,
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
    const CardVector<Character> characters = Characters(text, options.escaped);
    std::vector<bool> hidden(characters.size(), false);
    for (const std::vector<char32_t>& digits : Readings(options.digits))
        MarkNumbers(characters, digits, options.open, hidden);
    return Replaced(text, characters, hidden);
}

CardText MaskFields(std::string_view text, Field number, Field hidden, bool mayGoOn) {
    const CardVector<Character> characters = Characters(text, false);
    const auto within = [](const Character& character, const Field& field) {
        return character.at >= field.at && character.at < field.at + field.size;
    };
    std::size_t numberLength = 0;
    for (const Character& character : characters)
        numberLength += within(character, number) ? 1 : 0;
    std::vector<bool> hide(characters.size(), false);
    std::size_t k = 0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (within(characters[i], hidden))
            hide[i] = true;
        if (!within(characters[i], number))
            continue;
        hide[i] = mayGoOn ? k >= kShownFirst
                          : numberLength > kShownFirst + kShownLast && k >= kShownFirst &&
                                k + kShownLast < numberLength;
        ++k;
    }
    return Replaced(text, characters, hide);
}

}  // namespace swipe
