// The watcher's decisions as a table: from a fresh watcher with profile "P1", the events of a
// row in order, and every action they give, written as a person would read them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "watch/watch_decisions.h"
#include "watch/watch_texts.h"

namespace {

using watch::Action;
using watch::Event;
using watch::FileStamp;
using watch::Happened;
using watch::Notice;
using Lines = std::vector<std::string>;

const FileStamp kStart = {true, 10, 100};

Event Listed(std::vector<std::string> readers) {
    Event event;
    event.kind = Event::Kind::Listed;
    event.readers = std::move(readers);
    return event;
}

Event Finished(Event::Kind kind, const std::string& reader, const std::string& detail) {
    Event event;
    event.kind = kind;
    event.reader = reader;
    event.detail = detail;
    return event;
}

Event Applied(const std::string& reader, const std::string& version) {
    return Finished(Event::Kind::ApplySucceeded, reader, version);
}

Event Failed(const std::string& reader, const std::string& why) {
    return Finished(Event::Kind::ApplyFailed, reader, why);
}

Event Busy(const std::string& reader) {
    return Finished(Event::Kind::ApplyBusy, reader, "busy");
}

Event Stamp(FileStamp stamp) {
    Event event;
    event.kind = Event::Kind::ProfileStamp;
    event.stamp = stamp;
    return event;
}

Event Profile(Event::Kind kind, const std::string& detail) {
    Event event;
    event.kind = kind;
    event.detail = detail;
    return event;
}

std::string Described(const Action& action) {
    switch (action.kind) {
        case Action::Kind::Apply:
            return "apply " + action.reader;
        case Action::Kind::ReadProfile:
            return "read profile";
        case Action::Kind::Report:
            break;
    }
    std::string text = std::string(watch::EventName(action.notice.what));
    if (!action.notice.reader.empty())
        text += " " + action.notice.reader;
    if (!action.notice.detail.empty())
        text += " (" + action.notice.detail + ")";
    return text;
}

Lines ActionsOf(watch::Watcher& watcher, const std::vector<Event>& events) {
    Lines done;
    for (const Event& event : events)
        for (const Action& action : watcher.Handle(event))
            done.push_back(Described(action));
    return done;
}

TEST(Watcher, EventsGiveTheirActions) {
    const Event readP2 = Profile(Event::Kind::ProfileRead, "P2");
    const Event readP1 = Profile(Event::Kind::ProfileRead, "P1");
    const Event broken = Profile(Event::Kind::ProfileBroken, "f: line 2: bad");
    const Event missing = Profile(Event::Kind::ProfileMissing, "f: cannot be read");
    const FileStamp later = {true, 10, 200};
    const FileStamp gone = {};
    const struct {
        const char* name;
        std::vector<Event> events;
        Lines actions;
    } cases[] = {
        {"nothing present at the start", {Listed({})}, {}},
        {"present at the start",
         {Listed({"A", "B"}), Applied("A", "v1"), Applied("B", "v2")},
         {"arrived A", "apply A", "arrived B", "apply B", "applied A (v1)", "applied B (v2)"}},
        {"a tick that lists the same readers changes nothing",
         {Listed({"A"}), Applied("A", "v1"), Listed({"A"}), Listed({"A"})},
         {"arrived A", "apply A", "applied A (v1)"}},
        {"plugged in later", {Listed({}), Listed({"A"})}, {"arrived A", "apply A"}},
        {"pulled out and plugged in again gets the profile again",
         {Listed({"A"}), Applied("A", "v1"), Listed({}), Listed({"A"}), Applied("A", "v1")},
         {"arrived A", "apply A", "applied A (v1)", "gone A", "arrived A", "apply A",
          "applied A (v1)"}},
        {"a failure is not tried again at the next tick",
         {Listed({"A"}), Failed("A", "timeout"), Listed({"A"})},
         {"arrived A", "apply A", "failed A (timeout)"}},
        {"a failure is tried again at the next arrival",
         {Listed({"A"}), Failed("A", "timeout"), Listed({}), Listed({"A"})},
         {"arrived A", "apply A", "failed A (timeout)", "gone A", "arrived A", "apply A"}},
        {"a reader another program kept busy is tried again at the next tick",
         {Listed({"A"}), Busy("A"), Listed({"A"}), Applied("A", "v1"), Listed({"A"})},
         {"arrived A", "apply A", "failed A (busy)", "apply A", "applied A (v1)"}},
        {"pulled out during the command: failed, then gone",
         {Listed({"A"}), Failed("A", "disconnected"), Listed({})},
         {"arrived A", "apply A", "failed A (disconnected)", "gone A"}},
        {"an outcome for a reader already gone says nothing",
         {Listed({"A"}), Listed({}), Applied("A", "v1")},
         {"arrived A", "apply A", "gone A"}},
        {"one of two readers goes",
         {Listed({"A", "B"}), Listed({"B"})},
         {"arrived A", "apply A", "arrived B", "apply B", "gone A"}},
        {"the same stamp reads nothing", {Stamp(kStart)}, {}},
        {"a new stamp reads the profile", {Stamp(later)}, {"read profile"}},
        {"a changed profile goes to every present reader",
         {Listed({"A", "B"}), Applied("A", "v1"), Failed("B", "refused"), Stamp(later), readP2},
         {"arrived A", "apply A", "arrived B", "apply B", "applied A (v1)", "failed B (refused)",
          "read profile", "profile-read", "apply A", "apply B"}},
        {"a profile touched but not changed sends nothing",
         {Stamp(later), readP1},
         {"read profile"}},
        {"a broken profile keeps the last good one",
         {Listed({"A"}), Stamp(later), broken},
         {"arrived A", "apply A", "read profile", "profile-broken (f: line 2: bad)"}},
        {"a broken profile says so once per change of the file",
         {Stamp(later), broken, Stamp(later), Stamp(later)},
         {"read profile", "profile-broken (f: line 2: bad)"}},
        {"a deleted profile says so once",
         {Stamp(gone), missing, Stamp(gone)},
         {"read profile", "profile-missing (f: cannot be read)"}},
        {"the same profile back after a deletion is said, not sent",
         {Listed({"A"}), Stamp(gone), missing, Stamp(later), readP1},
         {"arrived A", "apply A", "read profile", "profile-missing (f: cannot be read)",
          "read profile", "profile-read"}},
        {"a mended profile goes to the readers",
         {Listed({"A"}), Stamp(later), broken, Stamp(kStart), readP2},
         {"arrived A", "apply A", "read profile", "profile-broken (f: line 2: bad)", "read profile",
          "profile-read", "apply A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        watch::Watcher watcher("P1", kStart);
        EXPECT_EQ(ActionsOf(watcher, c.events), c.actions);
    }
}

TEST(Watcher, AReaderArrivesAThousandTimesAndNothingGrows) {
    watch::Watcher watcher("P1", kStart);
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(watcher.Handle(Listed({"A", "B"})).size(), i == 0 ? 4u : 2u);
        watcher.Handle(Applied("B", "v"));
        watcher.Handle(Listed({"B"}));
        ASSERT_EQ(watcher.readers().size(), 1u);
    }
}

TEST(WatchTexts, EachNoticeAsALineAndAsJson) {
    const struct {
        const char* name;
        Notice notice;
        std::string line;
        std::string json;
        unsigned eventId;  // in the event log, with its kind
        bool warning;
    } cases[] = {
        {"arrived",
         {Happened::Arrived, "\\\\?\\hid#1", ""},
         "\\\\?\\hid#1: arrived",
         R"({"event": "arrived", "reader": "\\\\?\\hid#1"})",
         1,
         false},
        {"applied",
         {Happened::Applied, "R", "ZP350 VR 1.0"},
         "R: applied, version ZP350 VR 1.0",
         R"({"event": "applied", "reader": "R", "version": "ZP350 VR 1.0"})",
         2,
         false},
        {"a version with a control character",
         {Happened::Applied, "R", "v\x1b"},
         "R: applied, version v\\x1b",
         R"({"event": "applied", "reader": "R", "version": "v\u001B"})",
         2,
         false},
        {"failed",
         {Happened::Failed, "R", "Receive data timeout"},
         "R: failed: Receive data timeout; tried again when it is plugged in again",
         R"({"event": "failed", "reader": "R", "reason": "Receive data timeout"})",
         3,
         true},
        {"gone",
         {Happened::Gone, "R", ""},
         "R: gone",
         R"({"event": "gone", "reader": "R"})",
         4,
         false},
        {"profile read",
         {Happened::ProfileRead, "", ""},
         "till.zp350: profile read",
         R"({"event": "profile-read", "profile": "till.zp350"})",
         5,
         false},
        {"profile broken",
         {Happened::ProfileBroken, "", "till.zp350: line 2: bad"},
         "till.zp350: line 2: bad; the last good profile stays in force",
         R"({"event": "profile-broken", "profile": "till.zp350", "reason": "till.zp350: line 2: bad"})",
         6,
         true},
        {"profile missing",
         {Happened::ProfileMissing, "", "till.zp350: cannot be read"},
         "till.zp350: cannot be read; the last good profile stays in force",
         R"({"event": "profile-missing", "profile": "till.zp350", "reason": "till.zp350: cannot be read"})",
         7,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(watch::NoticeLine(c.notice, "till.zp350"), c.line);
        EXPECT_EQ(watch::NoticeJson(c.notice, "till.zp350"), c.json);
        EXPECT_EQ(watch::EventId(c.notice.what), c.eventId);
        EXPECT_EQ(watch::IsWarning(c.notice.what), c.warning);
    }
}

}  // namespace

namespace {

using Report = watch::ServiceReport;

TEST(WatchTexts, TheServicesStatus) {
    const Report::Event applied = {1765258866, "R: applied, version ZP350 VR 1.0"};
    const struct {
        const char* name;
        Report report;
        std::string text;
    } cases[] = {
        {"not installed",
         {Report::State::NotInstalled, "", std::nullopt},
         "ZP350 reader set-up: not installed (the installer given PROFILE=<file> installs it)\n"},
        {"running, with its latest event",
         {Report::State::Running, "C:\\P\\profile.zp350", applied},
         "ZP350 reader set-up: running\nprofile: C:\\P\\profile.zp350\n"
         "last event: 2025-12-09 05:41:06 UTC: R: applied, version ZP350 VR 1.0\n"},
        {"stopped, no event found",
         {Report::State::Stopped, "p", std::nullopt},
         "ZP350 reader set-up: stopped\nprofile: p\nlast event: none found (the Application "
         "event log holds none of \"ZP350 reader set-up\", or cannot be read)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(watch::StatusText(c.report), c.text);
    }
}

TEST(WatchTexts, MomentsInUtc) {
    const struct {
        std::uint32_t seconds;
        const char* text;
    } cases[] = {
        {0, "1970-01-01 00:00:00 UTC"},           {3600, "1970-01-01 01:00:00 UTC"},
        {1711843200, "2024-03-31 00:00:00 UTC"},  {951782399, "2000-02-28 23:59:59 UTC"},
        {951782400, "2000-02-29 00:00:00 UTC"},   {1709251199, "2024-02-29 23:59:59 UTC"},
        {4107542400u, "2100-03-01 00:00:00 UTC"}, {4294967295u, "2106-02-07 06:28:15 UTC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(watch::UtcTime(c.seconds), c.text);
    }
}

}  // namespace
