// The watcher on the system: lists the readers at the start, whenever the system says a HID
// device came or went and at each tick of a bounded poll; sends the profile in force with the
// companion's own commands (cli/reader_tasks.h), so it takes its turn at a reader like any
// program; reads the profile file again when it changes; hands every notice to a sink. It
// reads no card data: it only sends the profile and asks for the version.
#pragma once

#include <windows.h>

#include <string>

#include "watch/watch_decisions.h"

namespace watch {

// Where the notices go: the console (lines or JSON), the event log, a test's record. Called
// on the thread that runs the watcher.
class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void Tell(const Notice& notice) = 0;
};

struct WatchResult {
    bool started = false;
    std::string error;  // when not started: why the profile could not be taken
};

// How often the readers and the profile file are looked at without a notice from the system.
constexpr DWORD kPollMilliseconds = 1000;

// Watches until `stop` is signalled (a command under way is finished first). Refuses to start,
// sending nothing, when the profile at `profilePath` cannot be read as one.
WatchResult RunWatch(const std::string& profilePath, HANDLE stop, NoticeSink& sink,
                     DWORD pollMilliseconds = kPollMilliseconds);

}  // namespace watch
