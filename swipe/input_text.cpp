#include "swipe/input_text.h"

#include "settings/utf8.h"
#include "swipe/swipe_check.h"

namespace swipe {
namespace {

enum class Encoding { Utf8, Utf16Le, Utf16Be };

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

// UTF-16 without a mark: a text of mostly ASCII characters has a zero in every other byte,
// and never two zeros side by side where a character of its own is zero.
Encoding Guess(std::string_view bytes) {
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        zeros[i % 2] += bytes[i] == '\0' ? 1 : 0;
    const std::size_t pairs = bytes.size() / 2;
    if (pairs == 0)
        return Encoding::Utf8;
    if (zeros[1] * 2 >= pairs && zeros[0] == 0)
        return Encoding::Utf16Le;
    if (zeros[0] * 2 >= pairs && zeros[1] == 0)
        return Encoding::Utf16Be;
    return Encoding::Utf8;
}

// UTF-16 units into UTF-8; false where a surrogate is not one of a pair or a byte is left.
bool DecodeUtf16(std::string_view bytes, bool littleEndian, CardText& text) {
    if (bytes.size() % 2 != 0)
        return false;
    CardWide units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[littleEndian ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[littleEndian ? i + 1 : i]);
        units += static_cast<wchar_t>(hi << 8 | lo);
    }
    for (std::size_t at = 0, count = 0; at < units.size(); at += count) {
        const char32_t c = settings::DecodeWide(units, at, count);
        if (c >= 0xD800 && c < 0xE000)
            return false;
        settings::AppendUtf8(text, c);
    }
    return true;
}

CardText LineEndsAsReturns(std::string_view text) {
    CardText typed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;  // CR LF: one carriage return, the LF's
        typed += text[i] == '\n' ? '\r' : text[i];
    }
    return typed;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

InputText DecodeInput(std::string_view bytes) {
    InputText input;
    if (bytes.size() > kMaxInputBytes) {
        input.refusal = "holds more than 64 KiB: no swipe is that long";
        return input;
    }
    Encoding encoding = Encoding::Utf8;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    } else if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
        encoding = bytes[0] == '\xFF' ? Encoding::Utf16Le : Encoding::Utf16Be;
        bytes.remove_prefix(2);
    } else {
        encoding = Guess(bytes);
    }
    if (encoding == Encoding::Utf8) {
        input.text = LineEndsAsReturns(bytes);
        return input;
    }
    CardText decoded;
    if (!DecodeUtf16(bytes, encoding == Encoding::Utf16Le, decoded)) {
        input.refusal = encoding == Encoding::Utf16Le
                            ? "is UTF-16 (little-endian) that is not well formed: no swipe"
                            : "is UTF-16 (big-endian) that is not well formed: no swipe";
        return input;
    }
    input.text = LineEndsAsReturns(decoded);
    return input;
}

namespace {

// `chunk` cut where one swipe ends and the next begins.
void AddSwipes(std::string_view chunk, std::vector<CardText>& swipes) {
    std::size_t from = 0;
    for (const std::size_t start : SwipeStarts(chunk)) {
        swipes.emplace_back(chunk.substr(from, start - from));
        from = start;
    }
    swipes.emplace_back(chunk.substr(from));
}

}  // namespace

std::vector<CardText> SplitSwipes(std::string_view text) {
    std::vector<CardText> swipes;
    std::size_t chunk = std::string_view::npos;  // where the lines of the chunk begin
    std::size_t chunkEnd = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\r', at);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(at, next - at);
        if (!IsBlank(line.substr(0, line.size() - (end == std::string_view::npos ? 0 : 1)))) {
            chunk = chunk == std::string_view::npos ? at : chunk;
            chunkEnd = next;
        } else if (chunk != std::string_view::npos) {
            AddSwipes(text.substr(chunk, chunkEnd - chunk), swipes);
            chunk = std::string_view::npos;
        }
        at = next;
    }
    if (chunk != std::string_view::npos)
        AddSwipes(text.substr(chunk, chunkEnd - chunk), swipes);
    return swipes;
}

}  // namespace swipe
