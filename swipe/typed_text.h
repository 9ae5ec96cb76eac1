// Small helpers for the characters of a swipe (UTF-8): stepping through them, the form's
// boxes as characters, and text shown on one line with nothing hidden.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace swipe {

// The length of the character at `at`: its UTF-8 sequence, or 1 for a byte that starts none.
std::size_t CharacterLength(const std::string& text, std::size_t at);

// A box of the form (a byte of the ANSI code page, read as Latin-1) as UTF-8; "" when empty.
std::string BoxCharacter(const std::optional<std::uint8_t>& box);

// `text` with a carriage return as \r, other control characters, a byte that starts no UTF-8
// character, a backslash and a double quote as \xNN, \\ and \".
std::string Escaped(const std::string& text);

// One control character or stray byte as \xNN.
std::string HexEscape(unsigned char byte);

}  // namespace swipe
