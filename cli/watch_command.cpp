#include "cli/watch_command.h"

#include <windows.h>

#include <atomic>

#include "cli/exit_codes.h"
#include "settings/quoting.h"
#include "watch/kernel_handle.h"
#include "watch/service_status.h"
#include "watch/watch_loop.h"
#include "watch/watch_texts.h"

namespace cli {

namespace {

// The events the console's handler signals; set only while a watch runs.
std::atomic<HANDLE> g_stop{nullptr};
std::atomic<HANDLE> g_finished{nullptr};
// How long the closing console waits for the watcher to end (the system allows 5 s).
constexpr DWORD kCloseWaitMilliseconds = 4500;

// Ctrl+C, Ctrl+Break and the console's closing stop the watch, for as long as it lives.
class ConsoleStop {
public:
    ConsoleStop()
        : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          finished_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        g_stop = stop_.get();
        g_finished = finished_.get();
        SetConsoleCtrlHandler(&StopWatchOnConsoleEvent, TRUE);
    }
    ~ConsoleStop() {
        // No handler takes an event from here on; one that waits is let go.
        g_stop = nullptr;
        SetConsoleCtrlHandler(&StopWatchOnConsoleEvent, FALSE);
        SetEvent(finished_.get());
        g_finished = nullptr;
    }
    ConsoleStop(const ConsoleStop&) = delete;
    ConsoleStop& operator=(const ConsoleStop&) = delete;
    HANDLE event() const { return stop_.get(); }

private:
    watch::KernelHandle stop_, finished_;
};

class ConsoleSink : public watch::NoticeSink {
public:
    ConsoleSink(ShownConsole& console, const Invocation& invocation)
        : console_(console), profile_(invocation.file), json_(invocation.json) {}
    void Tell(const watch::Notice& notice) override {
        // A reader's path is the system's name for it, shown as it is.
        console_.KeepAsIs(notice.reader);
        console_.KeepAsIs(
            settings::Escaped(notice.reader, std::string::npos, settings::EscapeFor::Json));
        console_.Out(
            (json_ ? watch::NoticeJson(notice, profile_) : watch::NoticeLine(notice, profile_)) +
            "\n");
    }

private:
    ShownConsole& console_;
    std::string profile_;
    bool json_;
};

}  // namespace

BOOL WINAPI StopWatchOnConsoleEvent(DWORD event) {
    const HANDLE stop = g_stop.load();
    if (stop == nullptr)
        return FALSE;
    SetEvent(stop);
    // After these the system ends the process once the handler returns: the command under
    // way finishes first.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(g_finished.load(), kCloseWaitMilliseconds);
    return TRUE;
}

int RunWatchCommand(const Invocation& invocation, ShownConsole& console) {
    if (invocation.status) {
        const watch::ServiceReport report = watch::ReadServiceReport();
        // The service wrote its event from what the system named (a reader's path).
        if (report.latest)
            console.KeepAsIs(report.latest->text);
        console.Out(watch::StatusText(report));
        return static_cast<int>(report.state == watch::ServiceReport::State::Running
                                    ? ExitCode::Success
                                    : ExitCode::NoReader);
    }
    ConsoleStop stop;
    ConsoleSink sink(console, invocation);
    const watch::WatchResult result = watch::RunWatch(invocation.file, stop.event(), sink);
    if (!result.started) {
        console.Err("zp350cli: " + result.error + "\n");
        return static_cast<int>(ExitCode::BadInput);
    }
    return static_cast<int>(ExitCode::Success);
}

}  // namespace cli
