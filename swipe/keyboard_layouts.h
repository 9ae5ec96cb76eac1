// What the common keyboard layouts make of the keys a reader sends. A reader types as a US
// keyboard does; the host turns each key into the character its own layout has there.
#pragma once

#include <cstddef>
#include <string>

namespace swipe {

// One key of a layout that differs from the US one: the character a US keyboard types with
// it, and what this layout types instead (UTF-8).
struct LayoutKey {
    char us;
    const char* typed;
};

struct KeyboardLayout {
    const char* english;    // "Turkish (Q)"
    const char* chinese;    // its name in Chinese, UTF-8
    const LayoutKey* keys;  // only the printable ASCII characters that differ
    std::size_t keyCount;
};

// German, French (AZERTY), Turkish (Q), Spanish and UK English, and others where useful.
const KeyboardLayout* CommonLayouts();
std::size_t CommonLayoutCount();

// What a US keyboard typed, given what `layout` made of it; characters the layout does not
// change stay as they are.
std::string UndoLayout(const KeyboardLayout& layout, const std::string& typed);
// What `layout` makes of the characters a US keyboard types.
std::string ThroughLayout(const KeyboardLayout& layout, const std::string& us);

}  // namespace swipe
