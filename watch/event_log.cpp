#include "watch/event_log.h"

#include <vector>

namespace watch {

namespace {

// How much of the log is read back for the source's latest event, at most.
constexpr DWORD kMostRecordsRead = 20000;

class SystemEventLog : public EventLog {
public:
    bool Write(const LoggedEvent& event) override {
        const HANDLE source = RegisterEventSourceW(nullptr, kEventSource);
        if (source == nullptr)
            return false;
        const wchar_t* strings[] = {event.text.c_str()};
        const BOOL written =
            ReportEventW(source, event.type, 0, event.id, nullptr, 1, 0, strings, nullptr);
        DeregisterEventSource(source);
        return written != FALSE;
    }

    std::optional<LoggedEvent> Latest() override {
        const HANDLE log = OpenEventLogW(nullptr, L"Application");
        if (log == nullptr)
            return std::nullopt;
        std::optional<LoggedEvent> latest;
        std::vector<BYTE> buffer(std::size_t{64} * 1024);
        DWORD records = 0;
        while (!latest && records < kMostRecordsRead) {
            DWORD read = 0, needed = 0;
            if (!ReadEventLogW(log, EVENTLOG_SEQUENTIAL_READ | EVENTLOG_BACKWARDS_READ, 0,
                               buffer.data(), static_cast<DWORD>(buffer.size()), &read, &needed)) {
                if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size())
                    break;
                buffer.resize(needed);
                continue;
            }
            for (DWORD at = 0; at + sizeof(EVENTLOGRECORD) <= read && !latest; ++records) {
                const auto* record = reinterpret_cast<const EVENTLOGRECORD*>(buffer.data() + at);
                if (record->Length < sizeof(EVENTLOGRECORD) || at + record->Length > read)
                    break;
                latest = Ours(*record);
                at += record->Length;
            }
        }
        CloseEventLog(log);
        return latest;
    }

private:
    // The record as an event of the source, or none when another source wrote it. The source's
    // name follows the record's fixed part; its first string is at StringOffset.
    static std::optional<LoggedEvent> Ours(const EVENTLOGRECORD& record) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&record);
        const auto* end = reinterpret_cast<const wchar_t*>(bytes + record.Length);
        const auto* source = reinterpret_cast<const wchar_t*>(bytes + sizeof(EVENTLOGRECORD));
        const std::wstring name(source, wcsnlen(source, static_cast<std::size_t>(end - source)));
        if (name != kEventSource)
            return std::nullopt;
        LoggedEvent event;
        event.secondsSince1970 = record.TimeGenerated;
        event.type = record.EventType;
        event.id = record.EventID & 0xFFFF;
        if (record.NumStrings > 0 && record.StringOffset < record.Length) {
            const auto* text = reinterpret_cast<const wchar_t*>(bytes + record.StringOffset);
            event.text.assign(text, wcsnlen(text, static_cast<std::size_t>(end - text)));
        }
        return event;
    }
};

}  // namespace

fw::Seam<EventLog>& EventLogSeam() {
    static SystemEventLog system;
    static fw::Seam<EventLog> seam(system);
    return seam;
}

}  // namespace watch
