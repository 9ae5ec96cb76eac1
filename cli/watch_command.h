// zp350cli watch: the reader watcher (watch/watch_loop.h) on the console, each notice one
// line or one JSON object, until Ctrl+C, Ctrl+Break or the console's closing.
#pragma once

#include <windows.h>

#include "cli/options.h"
#include "cli/shown_console.h"

namespace cli {

int RunWatchCommand(const Invocation& invocation, ShownConsole& console);

// The console's handler while a watch runs: Ctrl+C, Ctrl+Break and the console's closing stop
// it; for the closing (and log-off, shut-down), after which the system ends the process, it
// returns only once the watch has ended (at most 4.5 s). FALSE when no watch runs.
BOOL WINAPI StopWatchOnConsoleEvent(DWORD event);

}  // namespace cli
