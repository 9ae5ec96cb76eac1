// The system's message for an error as part of a line, shaped without the system so that it
// is tested natively: settings/system_reason.h asks the system for the message.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// "The device is not connected.\r\n" becomes "the device is not connected, error 1167";
// without a message, "error 1167".
std::string ReasonText(const std::string& systemMessage, std::uint32_t error);

}  // namespace settings
