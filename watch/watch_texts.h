// What the watcher says about each notice: one line for a person or a log, one JSON object
// for a program (zp350cli watch --json), and the event log's identifier and kind for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "watch/watch_decisions.h"

namespace watch {

// The word a notice is known by: "arrived", "applied", "failed", "gone", "profile-read",
// "profile-broken", "profile-missing" (the JSON objects' "event").
const char* EventName(Happened what);

// "PATH: arrived", "PATH: applied, version ZP350 VR 1.0", "PATH: failed: <why>; tried again
// when it is plugged in again", "PATH: gone", "FILE: profile read", "FILE: <why>; the last
// good profile stays in force". `profilePath` names the profile file.
std::string NoticeLine(const Notice& notice, const std::string& profilePath);

// {"event": "applied", "reader": "PATH", "version": "ZP350 VR 1.0"}, with "reason" for a
// failure and "profile" for the profile's notices; one line, no line end.
std::string NoticeJson(const Notice& notice, const std::string& profilePath);

// The event log: each kind of notice has its own identifier (1 to 7, in the order of
// Happened); failures and a profile not in force are warnings, the rest information.
unsigned EventId(Happened what);
bool IsWarning(Happened what);

// The service's own events, after the notices': started (information), stopped
// (information), waiting because its profile cannot be read as one (error).
constexpr unsigned kStartedEventId = 8;
constexpr unsigned kStoppedEventId = 9;
constexpr unsigned kNotStartedEventId = 10;
// "started: every ZP350 reader plugged in gets the profile FILE"
std::string StartedLine(const std::string& profilePath);
// "stopped"
std::string StoppedLine();
// "waiting for a good profile: <why>"
std::string NotStartedLine(const std::string& why);

// What `zp350cli watch --status` tells: the service's state, its profile and its latest event.
struct ServiceReport {
    enum class State { NotInstalled, Stopped, Starting, Running, Stopping, Unknown };
    State state = State::NotInstalled;
    std::string profilePath;
    struct Event {
        std::uint32_t secondsSince1970 = 0;
        std::string text;
    };
    std::optional<Event> latest;
};
// Lines such as "ZP350 reader set-up: running", "profile: FILE", "last event: 2026-12-09
// 05:41:06 UTC: PATH: applied, version ZP350 VR 1.0", each ending with a line feed.
std::string StatusText(const ServiceReport& report);
// A moment as "YYYY-MM-DD hh:mm:ss UTC".
std::string UtcTime(std::uint32_t secondsSince1970);

}  // namespace watch
