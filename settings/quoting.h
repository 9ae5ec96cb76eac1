// Text as the program shows it, by one rule for every line, box and JSON string: bounded, and
// with nothing in it that a console would act on or that a reader of the text could not see.
// Control characters and bytes that are not UTF-8 are written as escapes (\t, \r, \n, \x1b;
// C1 controls as \u0085), and so are characters that show nothing yet are there (a byte-order
// mark as \ufeff, zero-width and direction marks); everything else is shown as it is. A long
// text is cut, with "..." after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace settings {

// Characters that show nothing, or turn the text around them, yet are there (zero-width and
// direction marks, variation selectors, a combining grapheme joiner, fillers, tags): a reader
// of the line could not tell them. The one list: the escaper writes them as escapes, and the
// card mask passes over them between the digits of a number.
bool ShowsNothing(char32_t c);

// How many characters of a value an error line quotes.
constexpr std::size_t kQuotedCharacters = 60;
// How many characters of a file or device path an error line shows: as many as a path
// without the long-path prefix can have.
constexpr std::size_t kShownPathCharacters = 260;

enum class EscapeFor {
    Line,  // one line of text
    Json,  // inside a JSON string: also the quote and the backslash, controls as \u00XX
    Box,   // a box of several lines: a carriage return shows as a mark and breaks the line
};

// One character (or byte that is not UTF-8) at `at` as it is shown: `shown` is the text to
// show, kept in `buffer` where it is an escape; returns how many bytes of `text` it takes.
struct EscapeBuffer {
    char text[16];
};
std::size_t ShownCharacter(std::string_view text, std::size_t at, EscapeFor use,
                           EscapeBuffer& buffer, std::string_view& shown);

// `text` escaped for `use` and cut after `maxCharacters` characters (an escaped byte counts
// as one). `Text` is the string type made.
template <typename Text = std::string>
Text Escaped(std::string_view text, std::size_t maxCharacters = std::string_view::npos,
             EscapeFor use = EscapeFor::Line) {
    Text shown;
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size() && count < maxCharacters; ++count) {
        EscapeBuffer buffer;
        std::string_view piece;
        at += ShownCharacter(text, at, use, buffer, piece);
        shown += piece;
    }
    if (at < text.size())
        shown += "...";
    return shown;
}

// A value in double quotes, escaped and cut after kQuotedCharacters characters.
std::string Quoted(const std::string& value);
// A file or device path as an error line names it: escaped, and cut where no path goes on.
std::string ShownPath(const std::string& path);
// `text` as a JSON string, in its quotes.
std::string JsonString(std::string_view text);

}  // namespace settings
