// What every refusal of the command-line companion is: one short line of well-formed UTF-8
// that a console shows as it is, whatever bytes the input held.
#pragma once

#include <cstddef>
#include <string>

#include "fuzz_check.h"

// The longest refusal: the window's longest text, or a value quoted at its longest (60
// characters, each escaped at most as \u0085), with the names and words around them.
constexpr std::size_t kLongestRefusal = 512;

// Well-formed UTF-8 as the Unicode standard's table of byte sequences has it: no overlong
// forms, no surrogates, nothing above U+10FFFF.
inline bool IsWellFormedUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&text](std::size_t at) {
            return at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
        };
        const unsigned lead = byte(i);
        int more = 0;
        unsigned low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead < 0x80) {
            more = 0;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            const unsigned next = byte(i + k);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
        }
        i += more + 1;
    }
    return true;
}

inline void CheckOneLine(const std::string& error) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(error.size() <= kLongestRefusal);
    FUZZ_CHECK(IsWellFormedUtf8(error));
    for (std::size_t i = 0; i < error.size(); ++i) {
        const auto byte = static_cast<unsigned char>(error[i]);
        FUZZ_CHECK(byte >= 0x20 && byte != 0x7F);
        // U+0080 to U+009F, the other control characters
        FUZZ_CHECK(!(byte == 0xC2 && i + 1 < error.size() &&
                     static_cast<unsigned char>(error[i + 1]) < 0xA0));
    }
}
