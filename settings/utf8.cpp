#include "settings/utf8.h"

#include <type_traits>

namespace settings {
namespace {

// The bytes a sequence may hold after its lead byte: the second byte's range depends on
// the lead, the others are always 80..BF.
struct SequenceForm {
    unsigned char leadFirst, leadLast;
    std::size_t length;
    unsigned char secondFirst, secondLast;
};
const SequenceForm kForms[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

unsigned char ByteAt(const std::string& text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

// A UTF-16 unit as a number: wchar_t is unsigned on Windows, but not everywhere.
unsigned long Unit(wchar_t c) {
    return static_cast<std::make_unsigned_t<wchar_t>>(c);
}

void AppendUtf8(std::string& out, unsigned long c) {
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

void AppendWide(std::wstring& out, unsigned long c) {
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {  // a surrogate pair
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

}  // namespace

std::size_t Utf8SequenceLength(const std::string& text, std::size_t at) {
    if (at >= text.size())
        return 0;
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80)
        return 1;
    for (const SequenceForm& form : kForms) {
        if (lead < form.leadFirst || lead > form.leadLast)
            continue;
        if (text.size() - at < form.length)
            return 0;
        const unsigned char second = ByteAt(text, at + 1);
        if (second < form.secondFirst || second > form.secondLast)
            return 0;
        for (std::size_t k = 2; k < form.length; ++k)
            if ((ByteAt(text, at + k) & 0xC0) != 0x80)
                return 0;
        return form.length;
    }
    return 0;
}

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
        AppendUtf8(out, c);
    }
    return out;
}

std::wstring Wide(const std::string& utf8) {
    static const unsigned char kLeadBits[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::wstring out;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = Utf8SequenceLength(utf8, at);
        if (length == 0) {
            out += static_cast<wchar_t>(0xFFFD);
            ++at;
            continue;
        }
        unsigned long c = ByteAt(utf8, at) & kLeadBits[length];
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (ByteAt(utf8, at + k) & 0x3F);
        AppendWide(out, c);
        at += length;
    }
    return out;
}

}  // namespace settings
