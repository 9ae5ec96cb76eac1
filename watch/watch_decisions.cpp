#include "watch/watch_decisions.h"

#include <algorithm>
#include <utility>

namespace watch {

namespace {

Action Report(Happened what, const std::string& reader, const std::string& detail = "") {
    Action action;
    action.kind = Action::Kind::Report;
    action.notice = {what, reader, detail};
    return action;
}

Action Apply(const std::string& reader) {
    Action action;
    action.kind = Action::Kind::Apply;
    action.reader = reader;
    return action;
}

}  // namespace

std::vector<Action> Watcher::Handle(const Event& event) {
    switch (event.kind) {
        case Event::Kind::Listed:
            return Listed(event.readers);
        case Event::Kind::ApplySucceeded:
        case Event::Kind::ApplyFailed:
        case Event::Kind::ApplyBusy:
            return Finished(event);
        case Event::Kind::ProfileStamp:
            if (event.stamp == stamp_)
                return {};
            stamp_ = event.stamp;
            return {Action{Action::Kind::ReadProfile, {}, {}}};
        case Event::Kind::ProfileRead:
            return ProfileRead(event.detail);
        case Event::Kind::ProfileBroken:
            return ProfileFailed(Happened::ProfileBroken, event.detail);
        case Event::Kind::ProfileMissing:
            return ProfileFailed(Happened::ProfileMissing, event.detail);
    }
    return {};
}

std::vector<Action> Watcher::Listed(const std::vector<std::string>& present) {
    std::vector<Action> actions;
    for (auto known = readers_.begin(); known != readers_.end();) {
        if (std::find(present.begin(), present.end(), known->first) != present.end()) {
            ++known;
            continue;
        }
        actions.push_back(Report(Happened::Gone, known->first));
        known = readers_.erase(known);
    }
    for (const std::string& reader : present) {
        const auto [known, arrived] = readers_.emplace(reader, Standing::Applying);
        if (!arrived) {
            if (known->second == Standing::Busy) {
                known->second = Standing::Applying;
                actions.push_back(Apply(reader));
            }
            continue;
        }
        actions.push_back(Report(Happened::Arrived, reader));
        actions.push_back(Apply(reader));
    }
    return actions;
}

std::vector<Action> Watcher::Finished(const Event& event) {
    const auto known = readers_.find(event.reader);
    // A reader that went while its profile was being sent was reported gone already.
    if (known == readers_.end())
        return {};
    const bool applied = event.kind == Event::Kind::ApplySucceeded;
    known->second = applied                                ? Standing::Applied
                    : event.kind == Event::Kind::ApplyBusy ? Standing::Busy
                                                           : Standing::Failed;
    return {Report(applied ? Happened::Applied : Happened::Failed, event.reader, event.detail)};
}

std::vector<Action> Watcher::ProfileRead(const std::string& text) {
    const bool changed = text != profile_;
    if (!changed && lastReadGood_)
        return {};  // touched, not changed
    lastReadGood_ = true;
    std::vector<Action> actions = {Report(Happened::ProfileRead, "")};
    if (!changed)
        return actions;
    profile_ = text;
    for (auto& [reader, standing] : readers_) {
        standing = Standing::Applying;
        actions.push_back(Apply(reader));
    }
    return actions;
}

std::vector<Action> Watcher::ProfileFailed(Happened what, const std::string& why) {
    lastReadGood_ = false;
    return {Report(what, "", why)};
}

}  // namespace watch
