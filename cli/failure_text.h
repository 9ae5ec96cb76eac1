// How the command-line program names the cause of a failure after the window's text:
// " (read failed: the device is not connected, error 1167)". The reason is the system's own
// (settings/system_reason.h); this part only shapes the note, so that it is tested without
// the system.
#pragma once

#include <string>

#include "reader/transfer_errors.h"

namespace cli {

// " (write failed: REASON)" for a failed call; nothing when no call failed.
std::string CauseNote(reader::Operation operation, const std::string& reason);

}  // namespace cli
