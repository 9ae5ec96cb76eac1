#include "swipe/typed_text.h"

#include "settings/utf8.h"

namespace swipe {

std::size_t CharacterLength(const std::string& text, std::size_t at) {
    const std::size_t length = settings::Utf8SequenceLength(text, at);
    return length == 0 ? 1 : length;
}

std::string BoxCharacter(const std::optional<std::uint8_t>& box) {
    if (!box)
        return "";
    if (*box < 0x80)
        return std::string(1, static_cast<char>(*box));
    std::string utf8;
    utf8 += static_cast<char>(0xC0 | (*box >> 6));
    utf8 += static_cast<char>(0x80 | (*box & 0x3F));
    return utf8;
}

std::string HexEscape(unsigned char byte) {
    const char digits[] = "0123456789ABCDEF";
    std::string escape = "\\x";
    escape += digits[byte >> 4];
    escape += digits[byte & 0xF];
    return escape;
}

std::string Escaped(const std::string& text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = settings::Utf8SequenceLength(text, at);
        if (byte == '\r')
            shown += "\\r";
        else if (byte == '\\' || byte == '"')
            shown += std::string("\\") + text[at];
        else if (length == 0 || byte < 0x20 || byte == 0x7F)
            shown += HexEscape(byte);
        else
            shown += text.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    return shown;
}

}  // namespace swipe
