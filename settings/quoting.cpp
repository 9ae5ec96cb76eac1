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
    if (lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0)  // U+0080..U+009F
        return HexEscape("\\u", static_cast<unsigned char>(text[at + 1]), 4);
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
