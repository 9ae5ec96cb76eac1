// The commands of zp350cli on one reader: each is one exchange (reader/run_exchange.h) whose
// outcome becomes an exit code and the settings window's text for it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/options.h"
#include "reader/reader_link.h"

namespace cli {

struct TaskResult {
    ExitCode code = ExitCode::Success;
    std::vector<std::string> lines;  // what happened, in order
};

// Opens the reader at `path` and runs the invocation's command on it: for apply, the format
// and then the replacements (or their cancelling), stopping at the first that fails.
TaskResult RunOnReader(const Invocation& invocation, const std::string& path);

// The version text of the reader at `path`; none when it cannot be had.
std::optional<std::string> ReadVersionText(const std::string& path);

}  // namespace cli
