// What a sentinel or a replacement character can be, one rule for the settings window, the
// command-line program and profiles alike. The reader types each character as a key of a US
// keyboard, so it is one printable ASCII character. A blank is refused too: a one-character
// box that holds one looks empty, and a profile's line would lose it at its end. An empty
// value is no character: no sentinel, or half a pair.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

enum class CharacterFault {
    None,         // empty, or one character the reader can type
    NotAscii,     // a character outside ASCII (or a byte that is not UTF-8)
    MoreThanOne,  // several characters
    Blank,        // a space
    NotPrintable  // a control character
};

// The fault of `value` (UTF-8) as a sentinel or replacement character.
CharacterFault CheckTypedCharacter(const std::string& value);
// The character of a `value` without fault; none when it is empty.
std::optional<std::uint8_t> TypedCharacter(const std::string& value);
// Why `value` cannot be a sentinel or replacement character, in the language asked for
// (UTF-8), the value quoted as an error line quotes it: "\"é\" is not a plain ASCII character".
std::string CharacterFaultText(const std::string& value, CharacterFault fault, bool english);

}  // namespace settings
