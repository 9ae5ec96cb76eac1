// What the watcher decides, free of the system: which readers it knows, when a reader gets the
// profile, when it is tried again, and what is reported. The system's side (watch/watch_loop)
// hands it each event it learns and carries out the actions it gets back, in order.
//
// A reader gets the profile when it arrives (present at the start, or plugged in later) and
// when a changed profile comes into force. One that failed is tried again only when it arrives
// again: a reader that never answers is not hammered at every tick. One that another program
// kept busy (nothing was sent) is tried again at the next tick, as the other program will
// have finished. A broken or missing
// profile keeps the last good one in force, and says so once per change of the file.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace watch {

// The profile file as the system describes it, without reading it: a change of any part
// means it is read again.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && writeTime == other.writeTime;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

struct Event {
    enum class Kind {
        Listed,          // `readers`: every reader present now (at the start, after the
                         // system's notice of a device, at each tick of the poll)
        ApplySucceeded,  // `reader` took the profile; `detail`: its version text
        ApplyFailed,     // `reader` did not; `detail`: why
        ApplyBusy,       // another program kept `reader` too long: nothing was sent;
                         // `detail`: what was said
        ProfileStamp,    // `stamp`: the profile file now (at each tick)
        ProfileRead,     // the file read as a profile; `detail`: its text as written back
        ProfileBroken,   // the file is no profile; `detail`: why
        ProfileMissing,  // the file cannot be read (deleted, moved); `detail`: why
    };
    Kind kind = Kind::Listed;
    std::vector<std::string> readers;
    std::string reader;
    std::string detail;
    FileStamp stamp;
};

// What a report says happened.
enum class Happened { Arrived, Applied, Failed, Gone, ProfileRead, ProfileBroken, ProfileMissing };

struct Notice {
    Happened what = Happened::Arrived;
    std::string reader;  // the reader's device path; empty for the profile's notices
    std::string detail;  // Applied: the version text; Failed, ProfileBroken/Missing: why
};

struct Action {
    enum class Kind {
        Report,       // `notice`
        Apply,        // send the profile in force to `reader`, then read its version
        ReadProfile,  // read the profile file again
    };
    Kind kind = Kind::Report;
    Notice notice;
    std::string reader;
};

class Watcher {
public:
    // `profile`: the text of the profile in force at the start (read before watching), and
    // the file's stamp at that reading.
    Watcher(std::string profile, FileStamp stamp) : profile_(std::move(profile)), stamp_(stamp) {}

    std::vector<Action> Handle(const Event& event);

    // How a reader stands, for the status and the tests.
    enum class Standing { Applying, Applied, Failed, Busy };
    const std::map<std::string, Standing>& readers() const { return readers_; }
    const std::string& profile() const { return profile_; }

private:
    std::vector<Action> Listed(const std::vector<std::string>& present);
    std::vector<Action> Finished(const Event& event);
    std::vector<Action> ProfileRead(const std::string& text);
    std::vector<Action> ProfileFailed(Happened what, const std::string& why);

    std::map<std::string, Standing> readers_;
    std::string profile_;
    FileStamp stamp_;
    bool lastReadGood_ = true;
};

}  // namespace watch
