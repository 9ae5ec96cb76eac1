#include "watch/watch_service.h"

#include <windows.h>

#include <atomic>

#include "settings/utf8.h"
#include "watch/event_log.h"
#include "watch/installed_profile.h"
#include "watch/kernel_handle.h"
#include "watch/watch_texts.h"

namespace watch {

namespace {

// What the service manager's callbacks share with the service's thread.
SERVICE_STATUS_HANDLE g_status = nullptr;
std::atomic<HANDLE> g_stop{nullptr};
// How long a stop may take: a command under way ends within about 4 s.
constexpr DWORD kStopWaitHint = 6000;

void Tell(SERVICE_STATUS_HANDLE handle, DWORD state) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted =
        state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    status.dwWin32ExitCode = NO_ERROR;
    status.dwWaitHint = state == SERVICE_STOP_PENDING ? kStopWaitHint : 0;
    SetServiceStatus(handle, &status);
}

void Log(WORD type, DWORD id, const std::string& text) {
    EventLogSeam().Current().Write({0, type, id, settings::Wide(text)});
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
            Tell(g_status, SERVICE_STOP_PENDING);
            if (const HANDLE stop = g_stop.load())
                SetEvent(stop);
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE:
            return NO_ERROR;
        default:
            return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    g_status = RegisterServiceCtrlHandlerExW(kServiceName, &Control, nullptr);
    if (g_status == nullptr)
        return;
    const KernelHandle stop(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    g_stop = stop.get();
    Tell(g_status, SERVICE_RUNNING);
    const std::string profile = InstalledProfilePath();
    EventLogSink sink(profile);
    Log(EVENTLOG_INFORMATION_TYPE, kStartedEventId, StartedLine(profile));
    // Without a good profile it waits for one, saying why once per reason: an administrator may
    // put it there later, or an installation may bring it.
    std::string refusal;
    for (;;) {
        const WatchResult result = RunWatch(profile, stop.get(), sink);
        if (result.started)
            break;
        if (result.error != refusal)
            Log(EVENTLOG_ERROR_TYPE, kNotStartedEventId, NotStartedLine(result.error));
        refusal = result.error;
        if (WaitForSingleObject(stop.get(), kPollMilliseconds) != WAIT_TIMEOUT)
            break;
    }
    g_stop = nullptr;
    Log(EVENTLOG_INFORMATION_TYPE, kStoppedEventId, StoppedLine());
    Tell(g_status, SERVICE_STOPPED);
}

}  // namespace

void EventLogSink::Tell(const Notice& notice) {
    Log(IsWarning(notice.what) ? EVENTLOG_WARNING_TYPE : EVENTLOG_INFORMATION_TYPE,
        EventId(notice.what), NoticeLine(notice, profilePath_));
}

bool RunAsService(unsigned long& error) {
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(kServiceName), &ServiceMain},
                                    {nullptr, nullptr}};
    if (StartServiceCtrlDispatcherW(table))
        return true;
    error = GetLastError();
    return false;
}

}  // namespace watch
