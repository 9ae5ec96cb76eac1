// The tables of the keyboard layouts the swipe check knows, generated from the xkb data by
// swipe/tools/make_tables.py (swipe/layout_tables.cpp).
#pragma once

#include <cstddef>

namespace swipe {

// The keys a US keyboard types printable ASCII with, ' ' to '~' in order.
constexpr std::size_t kKeyCount = 95;

// A layout: for each printable ASCII character ' ' to '~' in order, the one character (UTF-8)
// it types with the key and shift state a US keyboard types that character with; U+FFFF where
// it types nothing. A dead key stands as its accent typed alone.
struct LayoutTable {
    const char* english;   // "German"
    const char* chinese;   // its name in Chinese
    const char* keys;      // Caps Lock off
    const char* capsKeys;  // Caps Lock on
    const char* deadKeys;  // the ASCII characters whose key is a dead key
};

// A dead key's accent followed by a character that takes it: the character they make.
struct Composition {
    const char* accent;
    const char* base;
    const char* composed;
};

// The US layout first, then the layouts the check names.
extern const LayoutTable kLayoutTables[];
extern const std::size_t kLayoutTableCount;
extern const Composition kCompositions[];
extern const std::size_t kCompositionCount;

}  // namespace swipe
