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

unsigned char ByteAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

// A UTF-16 unit as a number: wchar_t is unsigned on Windows, but not everywhere.
char32_t Unit(wchar_t c) {
    return static_cast<std::make_unsigned_t<wchar_t>>(c);
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
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

char32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length) {
    static const unsigned char kLeadBits[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    length = Utf8SequenceLength(text, at);
    if (length == 0) {
        length = 1;
        return 0xFFFD;
    }
    char32_t c = ByteAt(text, at) & kLeadBits[length];
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (ByteAt(text, at + k) & 0x3F);
    return c;
}

char32_t DecodeWide(std::wstring_view text, std::size_t at, std::size_t& units) {
    units = 1;
    const char32_t c = Unit(text[at]);
    // A UTF-16 surrogate pair (wchar_t is 16 bits on Windows) is one character.
    if (c >= 0xD800 && c < 0xDC00 && at + 1 < text.size()) {
        const char32_t low = Unit(text[at + 1]);
        if (low >= 0xDC00 && low < 0xE000) {
            units = 2;
            return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return c;
}

TextEncoding TakeEncoding(std::string_view& bytes) {
    const auto startsWith = [&bytes](std::string_view mark) {
        return bytes.substr(0, mark.size()) == mark;
    };
    if (startsWith("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        return TextEncoding::Utf8;
    }
    if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
        const bool little = bytes[0] == '\xFF';
        bytes.remove_prefix(2);
        return little ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
    }
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        zeros[i % 2] += bytes[i] == '\0' ? 1 : 0;
    const std::size_t pairs = bytes.size() / 2;
    if (pairs == 0)
        return TextEncoding::Utf8;
    if (zeros[1] * 2 >= pairs && zeros[0] == 0)
        return TextEncoding::Utf16Le;
    if (zeros[0] * 2 >= pairs && zeros[1] == 0)
        return TextEncoding::Utf16Be;
    return TextEncoding::Utf8;
}

}  // namespace settings
