// The watcher's loop (watch::RunWatch) over the simulated HID host: a thousand arrivals of a
// reader, each given the profile, with no handle, event or memory left behind; and a stop
// that ends it at once.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <string>

#include "owned_handle_tally.h"
#include "simulated_hid.h"
#include "temp_file.h"
#include "watch/kernel_handle.h"
#include "watch/watch_loop.h"

namespace {

using watch::Happened;

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof(memory));
    return memory.PrivateUsage;
}

DWORD ProcessHandles() {
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return handles;
}

// Plays the person at the till, on the watcher's own thread: pulls the reader out once it has
// the profile and plugs it in again once it is gone, until it has had `arrivals` arrivals.
class Till : public watch::NoticeSink {
public:
    Till(SimulatedHid& hid, SimulatedDevice& reader, HANDLE stop, int arrivals)
        : hid_(hid), reader_(reader), stop_(stop), arrivals_(arrivals) {}
    void Tell(const watch::Notice& notice) override {
        if (notice.what == Happened::Applied) {
            ++applied;
            if (applied == 1) {
                handlesAfterFirst = ProcessHandles();
                bytesAfterFirst = PrivateBytes();
            }
            writesPerArrival = reader_.writes.size();
            reader_.writes.clear();
            hid_.Unplug(reader_);
        } else if (notice.what == Happened::Gone) {
            if (applied == arrivals_)
                SetEvent(stop_);
            reader_.present = true;
        } else if (notice.what != Happened::Arrived) {
            others += notice.detail + "\n";
        }
    }
    int applied = 0;
    std::size_t writesPerArrival = 0;
    DWORD handlesAfterFirst = 0;
    SIZE_T bytesAfterFirst = 0;
    std::string others;

private:
    SimulatedHid& hid_;
    SimulatedDevice& reader_;
    HANDLE stop_;
    int arrivals_;
};

TEST(WatchLoop, AThousandArrivalsLeaveNothingBehind) {
    const TempFile profile(L"zp350-watch-loop.zp350", "tracks = 2\nreplace = a=b\n");
    SimulatedHid hid;
    SimulatedDevice& reader = hid.AddReader();
    const watch::KernelHandle stop(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const long ownedBefore = fw::LiveOwnedHandles();
    constexpr int kArrivals = 1000;
    Till till(hid, reader, stop.get(), kArrivals);
    const watch::WatchResult result = watch::RunWatch(profile.Utf8Path(), stop.get(), till, 1);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(till.others, "");
    EXPECT_EQ(till.applied, kArrivals);
    EXPECT_EQ(hid.Problems(), "");
    EXPECT_EQ(fw::LiveOwnedHandles(), ownedBefore);
    EXPECT_LE(ProcessHandles(), till.handlesAfterFirst + 4);
    EXPECT_LE(PrivateBytes(), till.bytesAfterFirst + 512 * 1024);
}

TEST(WatchLoop, AStopEndsItWithNoReader) {
    const TempFile profile(L"zp350-watch-loop.zp350", "tracks = 2\n");
    SimulatedHid hid;
    const watch::KernelHandle stop(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    struct : watch::NoticeSink {
        void Tell(const watch::Notice&) override { ++told; }
        int told = 0;
    } sink;
    EXPECT_TRUE(watch::RunWatch(profile.Utf8Path(), stop.get(), sink).started);
    EXPECT_EQ(sink.told, 0);
    EXPECT_EQ(hid.Problems(), "");
}

}  // namespace
