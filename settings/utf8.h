// UTF-8 as the Unicode standard defines its well-formed byte sequences (table 3-7): no
// overlong forms, no surrogates, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace settings {

// The length (1 to 4) of the well-formed sequence that starts at `at` in `text`; 0 when the
// bytes there are not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The character at `at`: a well-formed UTF-8 sequence's code point, or U+FFFD for a byte
// that starts none; `length` is the bytes it takes (at least 1).
char32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length);
// The character at `at` of UTF-16 text (UTF-32 where wchar_t is wider): a surrogate pair
// is one, any other unit is its own; `units` is how many it takes.
char32_t DecodeWide(std::wstring_view text, std::size_t at, std::size_t& units);

// Appends `c` to a string of bytes (UTF-8) or of wchar_t (UTF-16 on Windows).
template <typename Text>
void AppendUtf8(Text& out, char32_t c) {
    const auto byte = [&out](char32_t value) { out += static_cast<char>(value); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}
template <typename Text>
void AppendWide(Text& out, char32_t c) {
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {  // a surrogate pair
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

// How the bytes of a text file are encoded. A byte-order mark says so (and is taken off
// `bytes`); without one, UTF-16 as Notepad saves "Unicode" is recognised by its zeros: a text of
// mostly ASCII characters has a zero in every other byte, and never one in the bytes between.
// Anything else is UTF-8.
enum class TextEncoding { Utf8, Utf16Le, Utf16Be };
TextEncoding TakeEncoding(std::string_view& bytes);

// Appends UTF-16 `bytes` to `text` as UTF-8; false (with `text` partly written) where a
// surrogate is not one of a pair or a byte is left over. `Text` is any string of char, so
// that a caller holding card data keeps it in its own wiped memory.
template <typename Text>
bool AppendUtf16AsUtf8(std::string_view bytes, bool littleEndian, Text& text) {
    if (bytes.size() % 2 != 0)
        return false;
    const auto unit = [bytes, littleEndian](std::size_t i) -> char32_t {
        const auto lo = static_cast<unsigned char>(bytes[littleEndian ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[littleEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xDC00 && c < 0xE000)
            return false;
        if (c >= 0xD800 && c < 0xDC00) {
            const char32_t low = i + 2 < bytes.size() ? unit(i + 2) : 0;
            if (low < 0xDC00 || low >= 0xE000)
                return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(text, c);
    }
    return true;
}

// UTF-16 text (on Windows; UTF-32 where wchar_t is wider) as UTF-8, and back; a byte that
// starts no well-formed sequence reads as U+FFFD. `Text` is the string type made.
template <typename Text = std::string>
Text Utf8(std::wstring_view text) {
    Text out;
    for (std::size_t at = 0, units = 0; at < text.size(); at += units)
        AppendUtf8(out, DecodeWide(text, at, units));
    return out;
}
template <typename Text = std::wstring>
Text Wide(std::string_view utf8) {
    Text out;
    for (std::size_t at = 0, length = 0; at < utf8.size(); at += length)
        AppendWide(out, DecodeUtf8(utf8, at, length));
    return out;
}

}  // namespace settings
