// UTF-8 as the Unicode standard defines its well-formed byte sequences (table 3-7): no
// overlong forms, no surrogates, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <string>

namespace settings {

// The length (1 to 4) of the well-formed sequence that starts at `at` in `text`; 0 when the
// bytes there are not one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at);

// UTF-16 text (on Windows; UTF-32 where wchar_t is wider) as UTF-8, and back; a byte that
// starts no well-formed sequence reads as U+FFFD.
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

}  // namespace settings
