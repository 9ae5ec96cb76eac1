// The Windows Application event log, under the reader set-up service's own source: the one
// way the service reports, and where `zp350cli watch --status` reads what it last did. A seam
// (framework/seam.h), because Wine keeps no event log: tests put a recorder behind it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "framework/seam.h"

namespace watch {

// The service's name for the service manager, the name people see, and its event source.
constexpr const wchar_t* kServiceName = L"ZP350ReaderSetup";
constexpr const wchar_t* kServiceDisplayName = L"ZP350 reader set-up";
constexpr const wchar_t* kEventSource = L"ZP350 reader set-up";

struct LoggedEvent {
    std::uint32_t secondsSince1970 = 0;  // when it was written
    WORD type = EVENTLOG_INFORMATION_TYPE;
    DWORD id = 0;
    std::wstring text;
};

class EventLog {
public:
    virtual ~EventLog() = default;
    // Writes one event of the source; false when the system refused it.
    virtual bool Write(const LoggedEvent& event) = 0;
    // The source's latest event; none when it has none or the log cannot be read.
    virtual std::optional<LoggedEvent> Latest() = 0;
};

fw::Seam<EventLog>& EventLogSeam();

}  // namespace watch
