#include "settings/profile.h"

#include <set>
#include <vector>

#include "settings/quoting.h"
#include "settings/utf8.h"

namespace settings {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// What is wrong with the bytes of one line (its line end taken off): it must be UTF-8
// without control characters other than tab.
std::optional<std::string> LineTextError(const std::string& line) {
    for (std::size_t i = 0; i < line.size();) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == '\r')
            return "a carriage return without a line feed: not a profile";
        const std::size_t length = Utf8SequenceLength(line, i);
        if (length == 0 || (length == 1 && ((c < 0x20 && c != '\t') || c == 0x7F)))
            return "not UTF-8 text: not a profile";
        i += length;
    }
    return std::nullopt;
}

// The lines of `text`: each ends with LF or CR LF, the last may end with neither.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = text.find('\n', begin);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        else if (end > begin && text[end - 1] == '\r')
            --end;
        lines.push_back(text.substr(begin, end - begin));
        begin = next;
    }
    return lines;
}

// Names are read whatever the case of their letters.
std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string KnownNames() {
    std::string names;
    for (const std::string& name : ChoiceNames())
        names += (names.empty() ? "" : ", ") + name;
    return names;
}

std::string AtLine(int number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

}  // namespace

ProfileResult ParseProfile(const std::string& text) {
    if (text.size() > kMaxProfileBytes)
        return {std::nullopt,
                "larger than " + std::to_string(kMaxProfileBytes / 1024) + " KiB: not a profile"};
    std::string body = text;
    if (body.compare(0, 3, "\xEF\xBB\xBF") == 0)
        body.erase(0, 3);  // a byte-order mark some editors write

    Setup setup = DefaultSetup();
    std::set<std::string> seen;
    const std::vector<std::string> lines = Lines(body);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        if (const auto error = LineTextError(lines[index]))
            return {std::nullopt, AtLine(number, *error)};
        const std::string content = Trimmed(lines[index]);
        if (content.empty() || content[0] == '#')
            continue;
        const std::size_t equals = content.find('=');
        if (equals == std::string::npos)
            return {std::nullopt, AtLine(number, "not a \"name = value\" line")};
        const std::string name = LowerCase(Trimmed(content.substr(0, equals)));
        const std::string value = Trimmed(content.substr(equals + 1));
        if (!IsFormatChoice(name) && name != "replace")
            return {std::nullopt,
                    AtLine(number, "unknown name " + Quoted(Trimmed(content.substr(0, equals))) +
                                       ": the names are " + KnownNames())};
        if (!seen.insert(name).second)
            return {std::nullopt, AtLine(number, Quoted(name) + " is given twice")};
        if (auto error = ApplyChoice(setup, name, value))
            return {std::nullopt, AtLine(number, name + ": " + *error)};
    }
    if (seen.empty())
        return {std::nullopt, "no \"name = value\" line: not a profile"};
    return {setup, ""};
}

ProfileResult ReadProfile(std::string_view bytes) {
    if (bytes.size() > kMaxProfileBytes)
        return ParseProfile(std::string(bytes));
    const TextEncoding encoding = TakeEncoding(bytes);
    if (encoding == TextEncoding::Utf8)
        return ParseProfile(std::string(bytes));
    std::string text;
    if (!AppendUtf16AsUtf8(bytes, encoding == TextEncoding::Utf16Le, text))
        return {std::nullopt, "UTF-16 that is not well formed: not a profile"};
    return ParseProfile(text);
}

std::string WriteProfile(const Setup& setup) {
    std::string text = "# ZP350 reader setup\n";
    for (const std::string& name : ChoiceNames()) {
        const std::string value = ChoiceValue(setup, name);
        text += name + (value.empty() ? " =" : " = " + value) + "\n";
    }
    return text;
}

}  // namespace settings
