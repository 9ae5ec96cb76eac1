// Which characters are digits (of any script) and which may stand between the groups of a
// number, generated from the Unicode database by swipe/tools/make_tables.py
// (swipe/character_tables.cpp).
#pragma once

#include <cstddef>

namespace swipe {

constexpr unsigned char kSeparator = 0xFF;

// Code points `first` to `last`: digits whose values count up from `value`, or separators
// (`value` kSeparator). Sorted, none overlapping.
struct CharacterRange {
    char32_t first;
    char32_t last;
    unsigned char value;
};

extern const CharacterRange kCharacterRanges[];
extern const std::size_t kCharacterRangeCount;

}  // namespace swipe
