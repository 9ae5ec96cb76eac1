#include "cli/failure_text.h"

#include "settings/window_text.h"

namespace cli {
namespace {

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

std::string ConsoleText(Occasion occasion) {
    switch (occasion) {
        case Occasion::CancelAccepted:
            return "Cancel replace character command OK!";
        case Occasion::CancelRefused:
            return "Cancel replace character command failed!";
        case Occasion::FormatReceiveTimeout:  // the window says it without "!" here
            return settings::WindowText(Occasion::CommandReceiveTimeout);
        default:
            break;
    }
    return settings::WindowText(occasion);
}

std::string CauseNote(reader::Operation operation, const std::string& reason) {
    if (operation == reader::Operation::None)
        return "";
    return std::string(" (") + OperationName(operation) + " failed: " + reason + ")";
}

}  // namespace cli
