#include "watch/watch_loop.h"

#include <deque>
#include <utility>

#include "cli/reader_tasks.h"
#include "reader/reader_link.h"
#include "settings/long_path.h"
#include "settings/profile.h"
#include "settings/profile_file.h"
#include "settings/utf8.h"
#include "watch/device_notices.h"

namespace watch {

namespace {

// The profile file as the system describes it, without opening it.
FileStamp StampOf(const std::string& path) {
    const std::wstring wide = settings::Wide(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    if (length == 0 || GetFullPathNameW(wide.c_str(), length, &full[0], nullptr) >= length)
        return {};
    full.resize(wcslen(full.c_str()));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(settings::LongPathForm(full).c_str(), GetFileExInfoStandard, &data))
        return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    stamp.writeTime = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

Event ListedNow() {
    Event event;
    event.kind = Event::Kind::Listed;
    for (const reader::ReaderInfo& info : reader::ListReaders().readers)
        event.readers.push_back(info.path);
    return event;
}

class Loop {
public:
    Loop(const std::string& profilePath, const settings::Setup& setup, FileStamp stamp,
         NoticeSink& sink)
        : path_(profilePath),
          inForce_(setup),
          watcher_(settings::WriteProfile(inForce_), stamp),
          sink_(sink) {}

    // Hands `event` to the watcher and carries out what it decides, and what that gives.
    void Handle(const Event& event) {
        std::deque<Event> events = {event};
        while (!events.empty()) {
            const Event next = std::move(events.front());
            events.pop_front();
            const std::vector<Action> actions = watcher_.Handle(next);
            // A profile the watcher took is the one sent from now on.
            if (next.kind == Event::Kind::ProfileRead)
                TakePending();
            for (const Action& action : actions)
                if (auto outcome = CarryOut(action))
                    events.push_back(std::move(*outcome));
        }
    }

private:
    std::optional<Event> CarryOut(const Action& action) {
        switch (action.kind) {
            case Action::Kind::Report:
                sink_.Tell(action.notice);
                return std::nullopt;
            case Action::Kind::Apply:
                return Apply(action.reader);
            case Action::Kind::ReadProfile:
                return ReadProfile();
        }
        return std::nullopt;
    }

    // The profile in force, then the version, with the companion's own commands.
    Event Apply(const std::string& path) {
        cli::Invocation apply;
        apply.command = cli::Command::Apply;
        apply.setup = inForce_;
        const cli::TaskResult result = cli::RunOnReader(apply, path);
        Event event;
        event.reader = path;
        if (result.code != cli::ExitCode::Success) {
            event.kind = result.code == cli::ExitCode::Busy ? Event::Kind::ApplyBusy
                                                            : Event::Kind::ApplyFailed;
            event.detail = result.lines.empty() ? std::string() : result.lines.back();
            return event;
        }
        const std::optional<std::string> version = cli::ReadVersionText(path);
        event.kind = version ? Event::Kind::ApplySucceeded : Event::Kind::ApplyFailed;
        event.detail = version ? *version : "the profile was sent, but the version was not read";
        return event;
    }

    Event ReadProfile() {
        const settings::ProfileResult read = settings::LoadProfileFile(path_);
        Event event;
        if (!read.setup) {
            event.kind =
                StampOf(path_).exists ? Event::Kind::ProfileBroken : Event::Kind::ProfileMissing;
            event.detail = read.error;
            return event;
        }
        event.kind = Event::Kind::ProfileRead;
        event.detail = settings::WriteProfile(*read.setup);
        // The watcher takes it into force when its text differs from the one in force.
        pending_ = *read.setup;
        return event;
    }

    void TakePending() {
        if (pending_ && settings::WriteProfile(*pending_) == watcher_.profile())
            inForce_ = *pending_;
        pending_.reset();
    }

public:
    Event StampNow() const {
        Event event;
        event.kind = Event::Kind::ProfileStamp;
        event.stamp = StampOf(path_);
        return event;
    }

private:
    std::string path_;
    settings::Setup inForce_;
    std::optional<settings::Setup> pending_;
    Watcher watcher_;
    NoticeSink& sink_;
};

}  // namespace

WatchResult RunWatch(const std::string& profilePath, HANDLE stop, NoticeSink& sink,
                     DWORD pollMilliseconds) {
    const FileStamp stamp = StampOf(profilePath);
    const settings::ProfileResult profile = settings::LoadProfileFile(profilePath);
    if (!profile.setup)
        return {false, profile.error};
    Loop loop(profilePath, *profile.setup, stamp, sink);
    DeviceNotices notices;
    loop.Handle(ListedNow());
    ULONGLONG nextTick = GetTickCount64() + pollMilliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD wait = now >= nextTick ? 0 : static_cast<DWORD>(nextTick - now);
        const DWORD woke = MsgWaitForMultipleObjects(1, &stop, FALSE, wait, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED)
            break;
        const bool changed = notices.Pump();
        const bool tick = GetTickCount64() >= nextTick;
        if (!changed && !tick)
            continue;
        loop.Handle(ListedNow());
        if (tick) {
            loop.Handle(loop.StampNow());
            nextTick = GetTickCount64() + pollMilliseconds;
        }
    }
    return {true, ""};
}

}  // namespace watch
