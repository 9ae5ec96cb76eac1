#include "settings/quoting.h"

#include "settings/utf8.h"

namespace settings {
namespace {

std::string HexEscape(const char* prefix, unsigned value, int digits) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text = prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        text += kDigits[(value >> shift) & 0xF];
    return text;
}

// The code point of the well-formed sequence of two or three bytes at `at`.
unsigned CodePoint(const std::string& text, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 2)
        return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
}

// Characters that show nothing, or turn the text around them, yet are there: a reader of
// the line could not tell them.
bool IsInvisible(unsigned c) {
    return c == 0xAD || c == 0x61C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
           (c >= 0xFFF9 && c <= 0xFFFB);
}

// One character (or one byte that is not UTF-8) as it is shown.
std::string Shown(const std::string& text, std::size_t at, std::size_t length) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    if (length == 0)
        return HexEscape("\\x", lead, 2);
    if (length == 1) {
        if (lead == '\t')
            return "\\t";
        if (lead == '\r')
            return "\\r";
        if (lead == '\n')
            return "\\n";
        if (lead < 0x20 || lead == 0x7F)
            return HexEscape("\\x", lead, 2);
    }
    if (length == 2 || length == 3) {  // C1 controls (U+0080..U+009F) and the invisible ones
        const unsigned c = CodePoint(text, at, length);
        if ((c >= 0x80 && c < 0xA0) || IsInvisible(c))
            return HexEscape("\\u", c, 4);
    }
    return text.substr(at, length);
}

}  // namespace

std::string Escaped(const std::string& text, std::size_t maxCharacters) {
    std::string shown;
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size() && count < maxCharacters; ++count) {
        const std::size_t length = Utf8SequenceLength(text, at);
        shown += Shown(text, at, length);
        at += length == 0 ? 1 : length;
    }
    if (at < text.size())
        shown += "...";
    return shown;
}

std::string Quoted(const std::string& value) {
    return "\"" + Escaped(value, kQuotedCharacters) + "\"";
}

std::string ShownPath(const std::string& path) {
    return Escaped(path, kShownPathCharacters);
}

}  // namespace settings
