// Any bytes as a profile file. A refusal names a line the text has (or the whole text), the
// lines before that one are a profile or nothing, and the text cut after that line is refused
// alike; what is accepted is written and read back to the same text. Windows line ends and a
// byte-order mark change nothing, and text that is not well-formed UTF-8 is always refused.
// Well-formed text saved as UTF-16 reads as the same text saved as UTF-8.
#include <string>

#include "fuzz_check.h"
#include "refusal_check.h"
#include "same_setup.h"
#include "settings/profile.h"
#include "settings/utf8.h"

using namespace settings;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kNoChoice = "no \"name = value\" line: not a profile";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool SameResult(const ProfileResult& a, const ProfileResult& b) {
    if (a.error != b.error || a.setup.has_value() != b.setup.has_value())
        return false;
    return !a.setup || SameSetup(*a.setup, *b.setup);
}

// The line a refusal names, or 0 when it speaks of the whole text.
std::size_t RefusedLine(const std::string& error) {
    if (error.compare(0, 5, "line ") != 0)
        return 0;
    std::size_t number = 0;
    for (std::size_t i = 5; i < error.size() && error[i] >= '0' && error[i] <= '9'; ++i)
        number = number * 10 + static_cast<std::size_t>(error[i] - '0');
    return number;
}

// Where line `number` (from 1) starts, or where the text ends if it has fewer lines.
std::size_t LineStart(const std::string& text, std::size_t number) {
    std::size_t at = 0;
    for (std::size_t line = 1; line < number && at < text.size(); ++line) {
        const std::size_t end = text.find('\n', at);
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return at;
}

void CheckRefusal(const std::string& text, const std::string& error) {
    CheckOneLine(error);
    const std::size_t line = RefusedLine(error);
    if (line == 0) {
        FUZZ_CHECK(error == kNoChoice || text.size() > kMaxProfileBytes);
        return;
    }
    const std::size_t start = LineStart(text, line);
    FUZZ_CHECK(start < text.size());  // the line exists
    const ProfileResult before = ParseProfile(text.substr(0, start));
    FUZZ_CHECK(before.setup || before.error == kNoChoice);
    const std::size_t end = text.find('\n', start);
    const std::string cut = text.substr(0, end == std::string::npos ? end : end + 1);
    FUZZ_CHECK(ParseProfile(cut).error == error);
}

void CheckAccepted(const Setup& setup) {
    const std::string written = WriteProfile(setup);
    const ProfileResult again = ParseProfile(written);
    FUZZ_CHECK(again.setup.has_value());
    FUZZ_CHECK(SameSetup(*again.setup, setup));
    FUZZ_CHECK(WriteProfile(*again.setup) == written);
}

// Well-formed UTF-8 `text` as UTF-16 bytes, little-endian, after the byte-order mark.
std::string Utf16Le(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    const auto unit = [&bytes](char32_t value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>(value >> 8);
    };
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        const char32_t c = DecodeUtf8(text, at, length);
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return bytes;
}

}  // namespace

void FuzzOne(FuzzInput& in) {
    const std::string text(reinterpret_cast<const char*>(in.data), in.size);
    const ProfileResult result = ParseProfile(text);
    if (result.setup)
        CheckAccepted(*result.setup);
    else
        CheckRefusal(text, result.error);
    if (!IsWellFormedUtf8(text))
        FUZZ_CHECK(!result.setup);
    else if (2 * text.size() + 2 <= kMaxProfileBytes)
        FUZZ_CHECK(SameResult(ReadProfile(Utf16Le(text)), result));

    // The same lines with or without a byte-order mark, and with either line end (unless
    // a carriage return stands alone, which is no line end).
    const bool hasBom = text.compare(0, kBom.size(), kBom) == 0;
    const std::string body = text.substr(hasBom ? kBom.size() : 0);
    const std::string lines = Replaced(body, "\r\n", "\n");
    const std::string windows = Replaced(lines, "\n", "\r\n");
    if (body.compare(0, kBom.size(), kBom) == 0 || kBom.size() + windows.size() > kMaxProfileBytes)
        return;
    FUZZ_CHECK(SameResult(ParseProfile(body), result));
    FUZZ_CHECK(SameResult(ParseProfile(kBom + body), result));
    if (lines.find('\r') != std::string::npos)
        return;
    FUZZ_CHECK(SameResult(ParseProfile(lines), result));
    FUZZ_CHECK(SameResult(ParseProfile(windows), result));
}
