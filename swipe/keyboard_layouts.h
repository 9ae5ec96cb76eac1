// What the keyboard layouts of a till make of the keys a reader sends. A reader types as a
// US keyboard does: for each character the key (and Shift) that types it there. The host turns
// each key into the character its own layout has in that place. A dead key types nothing at
// once: as on Windows, the next character takes its accent where it can; a blank after it
// gives the accent alone; any other character comes after the accent. With Caps Lock on, a
// letter key types the other case.
//
// The tables come from the xkb data (swipe/layout_tables.h).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "swipe/card_text.h"

namespace swipe {

struct KeyboardLayout {
    const char* english;  // "German"
    const char* chinese;  // its name in Chinese, UTF-8
    std::size_t table;    // its place in the generated tables
};

// The US layout itself: a US keyboard with Caps Lock on.
const KeyboardLayout& UsLayout();
// The layouts the check names, German to US Dvorak.
const std::vector<KeyboardLayout>& NamedLayouts();

// What `layout` types for the characters a US keyboard types as `us`. Characters that are
// no printable ASCII (a carriage return, a character outside ASCII) pass as they are.
CardText TypeThrough(const KeyboardLayout& layout, bool capsLock, std::string_view us);
// What a US keyboard typed, given what `layout` made of it: each character that a key (or a
// dead key with the next one) of the layout types is read back as those keys' characters;
// other characters stay. The blank after a dead key, typing its accent alone, is not told
// apart from the accent before the next character.
CardText UndoLayout(const KeyboardLayout& layout, bool capsLock, std::string_view typed);

// What the layout types for the digit keys 0 to 9 with Caps Lock off (U+FFFF for nothing).
const std::array<char32_t, 10>& DigitKeys(const KeyboardLayout& layout);

}  // namespace swipe
