#include "watch/service_status.h"

#include <windows.h>

#include "framework/owned.h"
#include "settings/utf8.h"
#include "watch/event_log.h"
#include "watch/installed_profile.h"

namespace watch {

namespace {

struct ServiceHandleTraits {
    static SC_HANDLE none() { return nullptr; }
    static bool valid(SC_HANDLE handle) { return handle != nullptr; }
    void close(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using ServiceHandle = fw::Owned<SC_HANDLE, ServiceHandleTraits>;

ServiceReport::State StateOf(DWORD state) {
    switch (state) {
        case SERVICE_STOPPED:
            return ServiceReport::State::Stopped;
        case SERVICE_START_PENDING:
            return ServiceReport::State::Starting;
        case SERVICE_RUNNING:
            return ServiceReport::State::Running;
        case SERVICE_STOP_PENDING:
            return ServiceReport::State::Stopping;
        default:
            return ServiceReport::State::Unknown;
    }
}

}  // namespace

ServiceReport ReadServiceReport() {
    ServiceReport report;
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const ServiceHandle service(
        manager ? OpenServiceW(manager.get(), kServiceName, SERVICE_QUERY_STATUS) : nullptr);
    if (!service)
        return report;
    SERVICE_STATUS_PROCESS status{};
    DWORD needed = 0;
    report.state = QueryServiceStatusEx(service.get(), SC_STATUS_PROCESS_INFO,
                                        reinterpret_cast<BYTE*>(&status), sizeof(status), &needed)
                       ? StateOf(status.dwCurrentState)
                       : ServiceReport::State::Unknown;
    report.profilePath = InstalledProfilePath();
    if (const std::optional<LoggedEvent> latest = EventLogSeam().Current().Latest())
        report.latest =
            ServiceReport::Event{latest->secondsSince1970, settings::Utf8(latest->text)};
    return report;
}

}  // namespace watch
