#include "swipe/input_text.h"

#include "settings/utf8.h"
#include "swipe/swipe_check.h"

namespace swipe {
namespace {

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
    const settings::TextEncoding encoding = settings::TakeEncoding(bytes);
    if (encoding == settings::TextEncoding::Utf8) {
        input.text = LineEndsAsReturns(bytes);
        return input;
    }
    const bool little = encoding == settings::TextEncoding::Utf16Le;
    CardText decoded;
    if (!settings::AppendUtf16AsUtf8(bytes, little, decoded)) {
        input.refusal = little ? "is UTF-16 (little-endian) that is not well formed: no swipe"
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
