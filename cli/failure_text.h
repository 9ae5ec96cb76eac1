// How the command-line program names the cause of a failure after the window's text:
// " (read failed: the device is not connected, error 1167)". The message is the system's
// own; this part only shapes it, so that it is tested without the system.
#pragma once

#include <cstdint>
#include <string>

#include "reader/transfer_errors.h"

namespace cli {

// The system's message for `error` as part of a line: "The device is not connected.\r\n"
// becomes "the device is not connected, error 1167"; without a message, "error 1167".
std::string ReasonText(const std::string& systemMessage, std::uint32_t error);

// " (write failed: REASON)" for a failed call; nothing when no call failed.
std::string CauseNote(reader::Operation operation, const std::string& reason);

}  // namespace cli
