#include "settings/quoting.h"

#include <cstdio>

#include "settings/utf8.h"

namespace settings {
namespace {

std::string_view HexEscape(EscapeBuffer& buffer, const char* form, unsigned value) {
    const int length = std::snprintf(buffer.text, sizeof(buffer.text), form, value);
    return std::string_view(buffer.text, static_cast<std::size_t>(length));
}

}  // namespace

bool ShowsNothing(char32_t c) {
    return c == 0xAD || c == 0x34F || c == 0x61C || c == 0x115F || c == 0x1160 ||
           (c >= 0x180B && c <= 0x180F) || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0x3164 ||
           (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
           (c >= 0xFFF9 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE0FFF);
}

std::size_t ShownCharacter(std::string_view text, std::size_t at, EscapeFor use,
                           EscapeBuffer& buffer, std::string_view& shown) {
    const bool json = use == EscapeFor::Json;
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    if (Utf8SequenceLength(text, at) == 0) {
        shown = HexEscape(buffer, json ? "\\u00%02X" : "\\x%02x", lead);
        return 1;
    }
    std::size_t length = 0;
    const char32_t c = DecodeUtf8(text, at, length);
    if (c == '\r' && use == EscapeFor::Box)
        shown = "\u21B5\r\n";
    else if (json && (c == '"' || c == '\\'))
        shown = c == '"' ? "\\\"" : "\\\\";
    else if (c < 0x20 || c == 0x7F)
        shown = json        ? HexEscape(buffer, "\\u00%02X", c)
                : c == '\t' ? "\\t"
                : c == '\r' ? "\\r"
                : c == '\n' ? "\\n"
                            : HexEscape(buffer, "\\x%02x", c);
    else if ((c >= 0x80 && c < 0xA0) || ShowsNothing(c))
        shown = HexEscape(buffer, json ? "\\u%04X" : "\\u%04x", c);
    else
        shown = text.substr(at, length);
    return length;
}

std::string Quoted(const std::string& value) {
    return "\"" + Escaped(value, kQuotedCharacters) + "\"";
}

std::string ShownPath(const std::string& path) {
    return Escaped(path, kShownPathCharacters);
}

std::string JsonString(std::string_view text) {
    return "\"" + Escaped(text, std::string_view::npos, EscapeFor::Json) + "\"";
}

}  // namespace settings
