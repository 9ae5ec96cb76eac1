#include "swipe/card_text.h"

#include <cstring>

#include "settings/utf8.h"

namespace swipe {

void WipeMemory(void* memory, std::size_t bytes) {
    // Called through a volatile pointer, so that the compiler cannot leave out the stores as
    // stores into memory about to be freed.
    static void* (*const volatile zeros)(void*, int, std::size_t) = std::memset;
    zeros(memory, 0, bytes);
}

CardText Utf8Of(std::wstring_view text) {
    return settings::Utf8<CardText>(text);
}

CardWide WideOf(std::string_view utf8) {
    return settings::Wide<CardWide>(utf8);
}

}  // namespace swipe
