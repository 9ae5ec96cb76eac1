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

// A full 65-byte report: identifier 0, then `bytes`, zero-filled.
Report FullReport(const std::vector<std::uint8_t>& bytes);
