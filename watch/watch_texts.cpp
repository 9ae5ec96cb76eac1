#include "watch/watch_texts.h"

#include "settings/quoting.h"

namespace watch {

using settings::JsonString;
using settings::ShownPath;

namespace {

// What a reader told or a file held, on one line and bounded.
std::string Shown(const std::string& text) {
    return settings::Escaped(text, settings::kQuotedCharacters * 4);
}

constexpr const char* kKeptInForce = "; the last good profile stays in force";

}  // namespace

const char* EventName(Happened what) {
    switch (what) {
        case Happened::Arrived:
            return "arrived";
        case Happened::Applied:
            return "applied";
        case Happened::Failed:
            return "failed";
        case Happened::Gone:
            return "gone";
        case Happened::ProfileRead:
            return "profile-read";
        case Happened::ProfileBroken:
            return "profile-broken";
        case Happened::ProfileMissing:
            return "profile-missing";
    }
    return "";
}

std::string NoticeLine(const Notice& notice, const std::string& profilePath) {
    const std::string reader = ShownPath(notice.reader) + ": ";
    switch (notice.what) {
        case Happened::Arrived:
            return reader + "arrived";
        case Happened::Applied:
            return reader + "applied, version " + Shown(notice.detail);
        case Happened::Failed:
            return reader + "failed: " + Shown(notice.detail) +
                   "; tried again when it is plugged in again";
        case Happened::Gone:
            return reader + "gone";
        case Happened::ProfileRead:
            return ShownPath(profilePath) + ": profile read";
        case Happened::ProfileBroken:
        case Happened::ProfileMissing:
            // The reason names the file already, as every profile error does.
            return Shown(notice.detail) + kKeptInForce;
    }
    return {};
}

std::string NoticeJson(const Notice& notice, const std::string& profilePath) {
    std::string json = std::string("{\"event\": \"") + EventName(notice.what) + "\"";
    switch (notice.what) {
        case Happened::Arrived:
        case Happened::Gone:
            json += ", \"reader\": " + JsonString(notice.reader);
            break;
        case Happened::Applied:
            json += ", \"reader\": " + JsonString(notice.reader) +
                    ", \"version\": " + JsonString(notice.detail);
            break;
        case Happened::Failed:
            json += ", \"reader\": " + JsonString(notice.reader) +
                    ", \"reason\": " + JsonString(notice.detail);
            break;
        case Happened::ProfileRead:
            json += ", \"profile\": " + JsonString(profilePath);
            break;
        case Happened::ProfileBroken:
        case Happened::ProfileMissing:
            json += ", \"profile\": " + JsonString(profilePath) +
                    ", \"reason\": " + JsonString(notice.detail);
            break;
    }
    return json + "}";
}

unsigned EventId(Happened what) {
    return static_cast<unsigned>(what) + 1;
}

bool IsWarning(Happened what) {
    return what == Happened::Failed || what == Happened::ProfileBroken ||
           what == Happened::ProfileMissing;
}

}  // namespace watch
