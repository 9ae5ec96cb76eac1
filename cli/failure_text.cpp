#include "cli/failure_text.h"

namespace cli {
namespace {

bool IsTrailing(char c) {
    return c == '\r' || c == '\n' || c == ' ' || c == '.';
}

const char* OperationName(reader::Operation operation) {
    switch (operation) {
        case reader::Operation::Open:
            return "open";
        case reader::Operation::Attributes:
            return "attributes";
        case reader::Operation::Write:
            return "write";
        case reader::Operation::Read:
            return "read";
        case reader::Operation::None:
            break;
    }
    return "";
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

std::string CauseNote(reader::Operation operation, const std::string& reason) {
    if (operation == reader::Operation::None)
        return "";
    return std::string(" (") + OperationName(operation) + " failed: " + reason + ")";
}

}  // namespace cli
