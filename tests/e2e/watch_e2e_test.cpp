// The reader watcher (watch::RunWatch, as `zp350cli watch` runs it) against virtual card
// readers with the system's own HID calls and device notices: a reader present at the start
// and one plugged in later get the profile, each again after a pull-out and plug-in (20 times
// in a row, with its recorded reports the profile's bytes, and the watcher's handles and
// memory flat), a reader that never answers or goes during the command, and a profile broken,
// deleted and changed while it runs.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_run.h"
#include "cli_recorder.h"
#include "reader/protocol.h"
#include "settings/profile.h"
#include "temp_file.h"
#include "virtual_reader.h"
#include "watch/kernel_handle.h"
#include "watch/watch_loop.h"
#include "watch/watch_texts.h"

namespace {

using watch::Happened;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kReportLength = 65;
const std::string kProfile = "tracks = 2\ncr = none\nreplace = a=b\n";
const std::string kOtherProfile = "tracks = 1,3\ncr = packet\n";
// Long enough for a silent reader's timeout and quiet, and the poll's tick.
constexpr auto kPatience = std::chrono::seconds(15);

// The reports one application of `profile` sends: the format, the replacements (or their
// cancelling), the version query.
std::vector<Report> ReportsOf(const std::string& profile) {
    const settings::Setup setup = settings::ParseProfile(profile).setup.value();
    const bool pairs = setup.replace.enabled[0] || setup.replace.enabled[1];
    const auto report = [](reader::ReaderCommand command, const reader::Bytes& payload) {
        return reader::BuildCommandReport(command, payload, kReportLength);
    };
    return {report(reader::ReaderCommand::SetFormat, reader::FormatPayload(setup.format)),
            pairs ? report(reader::ReaderCommand::SetReplace, reader::ReplacePayload(setup.replace))
                  : report(reader::ReaderCommand::CancelReplace, {}),
            report(reader::ReaderCommand::QueryVersion, {})};
}

// Whether `path` is virtual reader n's device interface.
bool IsReader(const std::string& path, int reader) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("#000" + std::to_string(reader) + "#") != std::string::npos;
}

// The notices, kept for the test's thread to wait on.
class Notices : public watch::NoticeSink {
public:
    void Tell(const watch::Notice& notice) override {
        std::lock_guard<std::mutex> lock(mutex_);
        told_.push_back({notice, Clock::now()});
        std::printf("watch: %s\n", watch::NoticeLine(notice, "profile").c_str());
        changed_.notify_all();
    }
    // Waits until reader n (or the profile, for n < 0) has had `count` notices of `what`;
    // the moment of the last one, or none after kPatience.
    std::optional<Clock::time_point> WaitFor(Happened what, int reader, std::size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        std::optional<Clock::time_point> last;
        changed_.wait_for(lock, kPatience, [&] {
            std::size_t seen = 0;
            for (const Told& told : told_)
                if (told.notice.what == what && (reader < 0 ? told.notice.reader.empty()
                                                            : IsReader(told.notice.reader, reader)))
                    last = ++seen == count ? std::optional<Clock::time_point>(told.at) : last;
            return seen >= count;
        });
        return last;
    }
    // The last notice of `what` for reader n: its detail.
    std::string Detail(Happened what, int reader) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::string detail;
        for (const Told& told : told_)
            if (told.notice.what == what && IsReader(told.notice.reader, reader))
                detail = told.notice.detail;
        return detail;
    }

private:
    struct Told {
        watch::Notice notice;
        Clock::time_point at;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Told> told_;
};

// The watcher on a thread of its own, stopped as Ctrl+C stops it when the object ends.
class Watching {
public:
    Watching(const std::string& profile, Notices& notices,
             DWORD pollMilliseconds = watch::kPollMilliseconds)
        : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_([this, profile, &notices, pollMilliseconds] {
              result_ = watch::RunWatch(profile, stop_.get(), notices, pollMilliseconds);
          }) {}
    ~Watching() { Stop(); }
    watch::WatchResult Stop() {
        SetEvent(stop_.get());
        if (thread_.joinable())
            thread_.join();
        return result_;
    }

private:
    watch::KernelHandle stop_;
    watch::WatchResult result_;
    std::thread thread_;
};

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// The median of `figures` (an even count), and their range, for the README.
void PrintMedian(const char* what, std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    const std::size_t half = figures.size() / 2;
    std::printf("timing: %s, median of %zu: %.0f ms (%.0f to %.0f ms)\n", what, figures.size(),
                (figures[half - 1] + figures[half]) / 2, figures.front(), figures.back());
}

struct WatchE2e : testing::Test {
    WatchE2e() {
        VirtualReader::Reset();
        VirtualReader::ForgetReceived();
    }
    ~WatchE2e() override {
        VirtualReader::Remove(1);
        VirtualReader::Reset();
    }
};

TEST_F(WatchE2e, PresentAtTheStartAndPluggedInLater) {
    const TempFile profile(L"zp350-watch.zp350", kProfile);
    Notices notices;
    Watching watching(profile.Utf8Path(), notices);
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 0, 1));
    EXPECT_EQ(VirtualReader::Received(0), ReportsOf(kProfile));
    EXPECT_EQ(notices.Detail(Happened::Applied, 0), "ZP350 VR 1.0");
    ASSERT_TRUE(VirtualReader::Install(1));
    ASSERT_TRUE(notices.WaitFor(Happened::Arrived, 1, 1));
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 1, 1));
    EXPECT_EQ(VirtualReader::Received(1), ReportsOf(kProfile));
    ASSERT_TRUE(VirtualReader::Remove(1));
    EXPECT_TRUE(notices.WaitFor(Happened::Gone, 1, 1));
    EXPECT_TRUE(watching.Stop().started);
    // Reader 0 got the profile once: the ticks in between sent nothing.
    EXPECT_EQ(VirtualReader::Received(0), ReportsOf(kProfile));
}

// Pulled out and plugged in 20 times in a row: each time the profile's bytes, and the
// process's handles and memory where they were after the first time.
TEST_F(WatchE2e, TwentyArrivalsInARow) {
    const TempFile profile(L"zp350-watch.zp350", kProfile);
    Notices notices;
    Watching watching(profile.Utf8Path(), notices);
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 0, 1));
    DWORD handlesAfterFirst = 0;
    SIZE_T memoryAfterFirst = 0;
    std::vector<double> fromPlugIn, fromArrival;
    constexpr std::size_t kArrivals = 20;
    for (std::size_t i = 1; i <= kArrivals; ++i) {
        SCOPED_TRACE(i);
        const Clock::time_point plugIn = Clock::now();
        ASSERT_TRUE(VirtualReader::Install(1));
        const auto arrived = notices.WaitFor(Happened::Arrived, 1, i);
        const auto applied = notices.WaitFor(Happened::Applied, 1, i);
        ASSERT_TRUE(arrived);
        ASSERT_TRUE(applied);
        fromPlugIn.push_back(Milliseconds(*applied - plugIn));
        fromArrival.push_back(Milliseconds(*applied - *arrived));
        EXPECT_EQ(VirtualReader::Received(1), ReportsOf(kProfile));
        ASSERT_TRUE(VirtualReader::Remove(1));
        ASSERT_TRUE(notices.WaitFor(Happened::Gone, 1, i));
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof(memory);
        GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
        DWORD handles = 0;
        GetProcessHandleCount(GetCurrentProcess(), &handles);
        if (i == 1) {
            handlesAfterFirst = handles;
            memoryAfterFirst = memory.PrivateUsage;
        }
        EXPECT_LE(handles, handlesAfterFirst + 8) << "handles after arrival " << i;
        EXPECT_LE(memory.PrivateUsage, memoryAfterFirst + 1024 * 1024)
            << "private bytes after arrival " << i;
    }
    PrintMedian("plug-in started (the installer's own start included) to profile applied",
                fromPlugIn);
    PrintMedian("arrival seen to profile applied and version read", fromArrival);
}

// Under Wine 8 the system's device notice comes: with a poll of a minute, a reader plugged in
// still gets the profile at once.
TEST_F(WatchE2e, TheSystemsNoticeBringsAnArrivalBeforeThePoll) {
    const TempFile profile(L"zp350-watch.zp350", kProfile);
    Notices notices;
    Watching watching(profile.Utf8Path(), notices, 60000);
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 0, 1));
    const Clock::time_point plugIn = Clock::now();
    ASSERT_TRUE(VirtualReader::Install(1));
    const auto applied = notices.WaitFor(Happened::Applied, 1, 1);
    ASSERT_TRUE(applied);
    EXPECT_LT(*applied - plugIn, std::chrono::seconds(10));
    ASSERT_TRUE(VirtualReader::Remove(1));
    EXPECT_TRUE(notices.WaitFor(Happened::Gone, 1, 1));
}

TEST_F(WatchE2e, AReaderThatNeverAnswersIsTriedAgainAtItsNextArrival) {
    const TempFile profile(L"zp350-watch.zp350", kProfile);
    VirtualReader::Set(L"Silent", 1);
    Notices notices;
    Watching watching(profile.Utf8Path(), notices);
    ASSERT_TRUE(notices.WaitFor(Happened::Failed, 0, 1));
    EXPECT_NE(notices.Detail(Happened::Failed, 0).find("timeout"), std::string::npos)
        << notices.Detail(Happened::Failed, 0);
    // Plugged in again, it answers (its steering went with it).
    ASSERT_TRUE(VirtualReader::Remove(0));
    ASSERT_TRUE(VirtualReader::Install(0));
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 0, 1));
    EXPECT_EQ(VirtualReader::Received(0), ReportsOf(kProfile));
}

TEST_F(WatchE2e, AReaderPulledOutDuringTheCommandIsTriedAgainAtItsNextArrival) {
    const TempFile profile(L"zp350-watch.zp350", kProfile);
    Notices notices;
    {
        PullOut pullOut(PullOut::During::Write);
        Watching watching(profile.Utf8Path(), notices);
        ASSERT_TRUE(pullOut.Join());
        ASSERT_TRUE(notices.WaitFor(Happened::Failed, 0, 1));
        ASSERT_TRUE(notices.WaitFor(Happened::Gone, 0, 1));
        ASSERT_TRUE(VirtualReader::Install(0));
        ASSERT_TRUE(notices.WaitFor(Happened::Applied, 0, 1));
    }
    EXPECT_EQ(VirtualReader::Received(0), ReportsOf(kProfile));
}

// A broken profile keeps the last good one in force for a reader plugged in meanwhile; a
// deleted one too; a good one again goes to every reader present.
TEST_F(WatchE2e, AProfileBrokenDeletedAndChangedWhileItRuns) {
    const TempFile profile(L"zp350-watch.zp350", kProfile);
    Notices notices;
    Watching watching(profile.Utf8Path(), notices);
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 0, 1));
    PutFile(profile.path, "tracks = 4\n");
    ASSERT_TRUE(notices.WaitFor(Happened::ProfileBroken, -1, 1));
    ASSERT_TRUE(VirtualReader::Install(1));
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 1, 1));
    EXPECT_EQ(VirtualReader::Received(1), ReportsOf(kProfile));
    ASSERT_TRUE(DeleteFileW(profile.path.c_str()));
    ASSERT_TRUE(notices.WaitFor(Happened::ProfileMissing, -1, 1));
    VirtualReader::Reset(0);
    VirtualReader::Reset(1);
    PutFile(profile.path, kOtherProfile);
    ASSERT_TRUE(notices.WaitFor(Happened::ProfileRead, -1, 1));
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 0, 2));
    ASSERT_TRUE(notices.WaitFor(Happened::Applied, 1, 2));
    EXPECT_EQ(VirtualReader::Received(0), ReportsOf(kOtherProfile));
    EXPECT_EQ(VirtualReader::Received(1), ReportsOf(kOtherProfile));
}

TEST_F(WatchE2e, ABadProfileAtTheStartSendsNothing) {
    const TempFile profile(L"zp350-watch.zp350", "tracks = 4\n");
    Recorder console;
    Piped input("");
    EXPECT_EQ(cli::RunCli({"watch", "--profile", profile.Utf8Path()}, console, input), 4);
    EXPECT_EQ(console.out, "");
    EXPECT_NE(console.err.find("line 1"), std::string::npos) << console.err;
    EXPECT_TRUE(VirtualReader::Received(0).empty());
}

}  // namespace
