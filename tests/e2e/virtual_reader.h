// The virtual card reader as the end-to-end tests see it: steering values written to its
// driver's Parameters key while the program runs, the reports the driver recorded there, and
// plugging it in and out with the harness's installer. The harness (scripts/e2e.sh) names the
// folder of the installer in ZP350_VREADER_DIR.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using Report = std::vector<std::uint8_t>;

class VirtualReader {
public:
    // Back to the reader's own behaviour, with nothing recorded.
    static void Reset();
    // The byte answered to format and replacement commands, instead of the reader's 'Y'/'N'.
    static void SetAnswer(DWORD value);
    static void SetVersion(const std::wstring& text);
    static void SetSilent(bool silent);
    static void SetDelayMs(DWORD milliseconds);
    // Any value of any type, as a careless test or user might write it.
    static void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size);

    // The output reports received since the last Reset or ForgetReceived: identifier, then
    // the 64 data bytes.
    static std::vector<Report> Received();
    static void ForgetReceived();
    // What the reader keeps: the 8 format bytes and the 4 replacement bytes.
    static Report Format();
    static Report Replace();

    // Pulls the reader out (the device is uninstalled) or plugs it in again; true once the
    // HID interfaces show the change.
    static bool Remove();
    static bool Install();
};

// Pulls the reader out while the program's next transfer is pending. The reader is told to go
// during the write of the next report (it holds the write, which never completes on its own)
// or during the read after it (the write goes through, no answer comes); once the driver says
// that it is holding, a thread of this process removes the device, and the system ends the
// pending transfer as it ends a removed device's.
class PullOut {
public:
    enum class During { Write = 1, Read = 2 };
    explicit PullOut(During when);
    ~PullOut();
    PullOut(const PullOut&) = delete;
    PullOut& operator=(const PullOut&) = delete;

    // Waits for the removal; true when the reader said it was going and has been removed.
    bool Join();
    // From the driver's word to the removal's end.
    DWORD removalMs() const { return removalMs_; }

private:
    static DWORD WINAPI Run(void* self);

    HANDLE thread_ = nullptr;
    bool removed_ = false;
    DWORD removalMs_ = 0;
};

// A full 65-byte report: identifier 0, then `bytes`, zero-filled.
Report FullReport(const std::vector<std::uint8_t>& bytes);
