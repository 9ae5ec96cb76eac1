// Card data never rests: text that held it is overwritten before its memory is let go.
#pragma once

#include <windows.h>

namespace fw {

// Overwrites `text` (a std::string or std::wstring) with zeros and empties it.
template <typename Text>
void Wipe(Text& text) {
    if (!text.empty())
        SecureZeroMemory(&text[0], text.size() * sizeof(text[0]));
    text.clear();
}

}  // namespace fw
