// The system's own words for an error, in English where the system has them.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// "the device is not connected, error 1167" (see ReasonText). The English message when the
// system has one; otherwise the message in the system's own language; otherwise the number.
std::string SystemReason(std::uint32_t error);

}  // namespace settings
