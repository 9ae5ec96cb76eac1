#include "watch/watch_texts.h"

#include <cstdio>

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

std::string StartedLine(const std::string& profilePath) {
    return "started: every ZP350 reader plugged in gets the profile " + ShownPath(profilePath);
}

std::string StoppedLine() {
    return "stopped";
}

std::string NotStartedLine(const std::string& why) {
    return "waiting for a good profile: " + Shown(why);
}

std::string UtcTime(std::uint32_t secondsSince1970) {
    // Days to a civil date (the proleptic Gregorian calendar), in eras of 400 years.
    const long long days = secondsSince1970 / 86400 + 719468;
    const long long era = days / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const long long month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const unsigned secondOfDay = secondsSince1970 % 86400;
    char text[32];
    std::snprintf(text, sizeof(text), "%04lld-%02lld-%02lld %02u:%02u:%02u UTC", year, month, day,
                  secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

std::string StatusText(const ServiceReport& report) {
    using State = ServiceReport::State;
    const char* state = "";
    switch (report.state) {
        case State::NotInstalled:
            return "ZP350 reader set-up: not installed (the installer given PROFILE=<file> "
                   "installs it)\n";
        case State::Stopped:
            state = "stopped";
            break;
        case State::Starting:
            state = "starting";
            break;
        case State::Running:
            state = "running";
            break;
        case State::Stopping:
            state = "stopping";
            break;
        case State::Unknown:
            state = "in a state it does not tell";
            break;
    }
    std::string text = std::string("ZP350 reader set-up: ") + state + "\n";
    text += "profile: " + ShownPath(report.profilePath) + "\n";
    if (!report.latest)
        return text +
               "last event: none found (the Application event log holds none of "
               "\"ZP350 reader set-up\", or cannot be read)\n";
    return text + "last event: " + UtcTime(report.latest->secondsSince1970) + ": " +
           Shown(report.latest->text) + "\n";
}

}  // namespace watch
