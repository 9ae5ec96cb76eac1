#include "swipe/card_text.h"

#include "settings/utf8.h"

namespace swipe {

void WipeMemory(void* memory, std::size_t bytes) {
    // Written through a volatile pointer, so that the stores are not left out as stores into
    // memory about to be freed.
    volatile unsigned char* at = static_cast<volatile unsigned char*>(memory);
    for (std::size_t i = 0; i < bytes; ++i)
        at[i] = 0;
}

CardText Utf8Of(std::wstring_view text) {
    return settings::Utf8<CardText>(text);
}

CardWide WideOf(std::string_view utf8) {
    return settings::Wide<CardWide>(utf8);
}

}  // namespace swipe
