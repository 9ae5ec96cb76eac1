#include "settings/window_text.h"

#include <type_traits>

namespace settings {
namespace {

// A UTF-16 unit as a number: wchar_t is unsigned on Windows, but not everywhere.
unsigned long Unit(wchar_t c) {
    return static_cast<std::make_unsigned_t<wchar_t>>(c);
}

}  // namespace

std::string Utf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned long c = Unit(text[i]);
        // A UTF-16 surrogate pair (wchar_t is 16 bits on Windows) is one character.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            const unsigned long low = Unit(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string WindowText(Occasion occasion) {
    const std::string text = Utf8(MessageFor(occasion).english);
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty() && line.back() != ' ')
                line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace settings
