// The companion's own wording of the window's messages, and how it names the cause of a
// failure after them:
// " (read failed: the device is not connected, error 1167)". The reason is the system's own
// (settings/system_reason.h); this part only shapes the note, so that it is tested without
// the system.
#pragma once

#include <string>

#include "reader/transfer_errors.h"
#include "settings/ui_text.h"

namespace cli {

// The window's message for `occasion` as the companion prints it: its English words on one
// line, with the window's misspellings put right and one wording for each timeout.
std::string ConsoleText(Occasion occasion);

// " (write failed: REASON)" for a failed call; nothing when no call failed.
std::string CauseNote(reader::Operation operation, const std::string& reason);

}  // namespace cli
