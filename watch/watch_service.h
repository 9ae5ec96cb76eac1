// The reader set-up service: the watcher (watch/watch_loop.h) with the installed profile
// (watch/installed_profile.h), run by the service manager, reporting each notice, its start
// and its stop to the Application event log (watch/event_log.h). It reads no card data.
#pragma once

#include <string>

#include "watch/watch_loop.h"

namespace watch {

// Runs the service in this process until the service manager stops it; false (with the
// system's error) when the service manager did not start this process.
bool RunAsService(unsigned long& error);

// Each notice as one event of the service's source: a failure or a profile not in force as a
// warning, the rest as information.
class EventLogSink : public NoticeSink {
public:
    explicit EventLogSink(std::string profilePath) : profilePath_(std::move(profilePath)) {}
    void Tell(const Notice& notice) override;

private:
    std::string profilePath_;
};

}  // namespace watch
