#include "cli/profile.h"

#include <set>
#include <sstream>

namespace cli {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// The number of continuation bytes after a UTF-8 lead byte; -1 for a byte that leads nothing.
int ContinuationBytes(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

// Whether `text` is UTF-8 without control characters other than tab and carriage return.
bool IsUtf8Text(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F)
                return false;
            ++i;
            continue;
        }
        const int more = ContinuationBytes(c);
        if (more < 0 || i + more >= text.size())
            return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += more + 1;
    }
    return true;
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
    std::istringstream in(body);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!IsUtf8Text(line))
            return {std::nullopt, AtLine(number, "not UTF-8 text: not a profile")};
        const std::string content = Trimmed(line);
        if (content.empty() || content[0] == '#')
            continue;
        const std::size_t equals = content.find('=');
        if (equals == std::string::npos)
            return {std::nullopt, AtLine(number, "not a \"name = value\" line")};
        const std::string name = Trimmed(content.substr(0, equals));
        const std::string value = Trimmed(content.substr(equals + 1));
        if (!IsFormatChoice(name) && name != "replace")
            return {std::nullopt, AtLine(number, "unknown name \"" + name + "\"")};
        if (!seen.insert(name).second)
            return {std::nullopt, AtLine(number, "\"" + name + "\" is given twice")};
        if (auto error = ApplyChoice(setup, name, value))
            return {std::nullopt, AtLine(number, name + ": " + *error)};
    }
    if (seen.empty())
        return {std::nullopt, "no \"name = value\" line: not a profile"};
    return {setup, ""};
}

std::string WriteProfile(const Setup& setup) {
    std::string text = "# ZP350 reader setup\n";
    for (const std::string& name : ChoiceNames()) {
        const std::string value = ChoiceValue(setup, name);
        text += name + (value.empty() ? " =" : " = " + value) + "\n";
    }
    return text;
}

}  // namespace cli
