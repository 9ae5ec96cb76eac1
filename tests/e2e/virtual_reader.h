// The virtual card readers as the end-to-end tests see them: steering values written to each
// reader's own registry key while the program runs, the reports the driver recorded there,
// and plugging readers in and out with the harness's installer. Reader n is the device
// instance ROOT\VID_5131&PID_2007\000n; the harness (scripts/e2e.sh) installs reader 0 and
// names the folder of the installer in ZP350_VREADER_DIR.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using Report = std::vector<std::uint8_t>;

namespace VirtualReader {
// Back to the reader's own behaviour, with nothing recorded.
void Reset(int reader = 0);
// A steering value: "Answer" (the byte answered instead of 'Y'/'N'), "Silent", "DelayMs".
void Set(const wchar_t* name, DWORD value, int reader = 0);
// A value of any type, e.g. "Version" (REG_SZ: the text the version query answers).
void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size);
// The whole output reports received since the last Reset or ForgetReceived.
std::vector<Report> Received(int reader = 0);
void ForgetReceived();
// What the reader keeps: "Format" (8 bytes) or "Replace" (4 bytes).
Report Kept(const wchar_t* name, int reader = 0);
// The test card the reader types for: the data of tracks 1, 2 and 3 separated by '\n' ("Card");
// a track left empty is one the card does not carry.
void SetCard(const std::string& tracks, int reader = 0);
// What the reader types for that card with what it keeps ("Typed"; '\r' for a carriage
// return), as the driver wrote it when the kept format or replacements last changed or a
// report last came.
std::string Typed(int reader = 0);
// Pulls reader n out (uninstalls the device) or plugs it in again; true once the HID
// interfaces show the change (reader n counts as the (n+1)th one).
bool Remove(int reader = 0);
bool Install(int reader = 0);
}  // namespace VirtualReader

// Pulls the reader out while the program's next transfer is pending: the reader is told to
// hold the write of the next report, or to leave the read after it unanswered; once the
// driver says it is holding, a thread of this process removes the device, and the system
// ends the pending transfer as it ends a removed device's.
class PullOut {
public:
    enum class During { Write = 1, Read = 2 };
    explicit PullOut(During when);
    ~PullOut() { Join(); }
    PullOut(const PullOut&) = delete;
    PullOut& operator=(const PullOut&) = delete;
    // Waits for the removal; true when the reader said it was going and has been removed.
    bool Join();

private:
    static DWORD WINAPI Run(void* self);
    HANDLE thread_ = nullptr;
    bool removed_ = false;
};

// A full 65-byte report: identifier 0, then `bytes`, zero-filled.
Report FullReport(const std::vector<std::uint8_t>& bytes);
