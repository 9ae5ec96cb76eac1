// User input as an error line shows it: bounded, and with nothing in it that a console
// would act on. Control characters and bytes that are not UTF-8 are written as escapes
// (\t, \r, \n, \x1b; C1 controls as \u0085), and so are characters that show nothing yet
// are there (a byte-order mark as \ufeff, zero-width and direction marks); a long text is
// cut, with "..." after it.
#pragma once

#include <cstddef>
#include <string>

namespace settings {

// How many characters of a value an error line quotes.
constexpr std::size_t kQuotedCharacters = 60;
// How many characters of a file or device path an error line shows: as many as a path
// without the long-path prefix can have.
constexpr std::size_t kShownPathCharacters = 260;

// `text` escaped and cut after `maxCharacters` characters (an escaped byte counts as one).
std::string Escaped(const std::string& text, std::size_t maxCharacters);
// A value in double quotes, escaped and cut after kQuotedCharacters characters.
std::string Quoted(const std::string& value);
// A file or device path as an error line names it: escaped, and cut where no path goes on.
std::string ShownPath(const std::string& path);

}  // namespace settings
