#include "settings/reason_text.h"

namespace settings {
namespace {

bool IsTrailing(char c) {
    return c == '\r' || c == '\n' || c == ' ' || c == '.';
}

}  // namespace

std::string ReasonText(const std::string& systemMessage, std::uint32_t error) {
    std::string message;
    for (char c : systemMessage) {  // a message may run over several lines
        const bool lineEnd = c == '\r' || c == '\n';
        if (!lineEnd)
            message += c;
        else if (!message.empty() && message.back() != ' ')
            message += ' ';
    }
    while (!message.empty() && IsTrailing(message.back()))
        message.pop_back();
    // "The device ..." reads on after a colon as "the device ...", but "HID ..." stays.
    if (message.size() > 1 && message[0] >= 'A' && message[0] <= 'Z' && message[1] >= 'a' &&
        message[1] <= 'z')
        message[0] = static_cast<char>(message[0] - 'A' + 'a');
    const std::string code = "error " + std::to_string(error);
    return message.empty() ? code : message + ", " + code;
}

}  // namespace settings
