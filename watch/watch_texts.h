// What the watcher says about each notice: one line for a person or a log, one JSON object
// for a program (zp350cli watch --json), and the event log's identifier and kind for it.
#pragma once

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

}  // namespace watch
