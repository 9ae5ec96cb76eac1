// Small helpers for the characters of a swipe (UTF-8): stepping through them and the form's
// boxes as characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "swipe/card_text.h"

namespace swipe {

// The length of the character at `at`: its UTF-8 sequence, or 1 for a byte that starts none.
std::size_t CharacterLength(std::string_view text, std::size_t at);

// A box of the form (a byte of the ANSI code page, read as Latin-1) as UTF-8; "" when empty.
CardText BoxCharacter(const std::optional<std::uint8_t>& box);

}  // namespace swipe
