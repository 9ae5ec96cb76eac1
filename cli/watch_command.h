// zp350cli watch: the reader watcher (watch/watch_loop.h) on the console, each notice one
// line or one JSON object, until Ctrl+C, Ctrl+Break or the console's closing.
#pragma once

#include "cli/options.h"
#include "cli/shown_console.h"

namespace cli {

int RunWatchCommand(const Invocation& invocation, ShownConsole& console);

}  // namespace cli
