// The settings window with every status text and message box recorded in the order they
// appear, over whatever HID host is installed (the simulated one, or the system's).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "recording_prompts.h"
#include "simulated_hid.h"

// "status: <text>", "box <title> (<icon number>): <text>", in order.
using Entries = std::vector<std::wstring>;
inline std::wstring Status(const std::wstring& text) {
    return L"status: " + text;
}
inline std::wstring Box(const std::wstring& title, UINT icon, const std::wstring& text) {
    return L"box " + title + L" (" + std::to_wstring(icon) + L"): " + text;
}
inline std::wstring ErrorBox(const std::wstring& title, const std::wstring& text) {
    return Box(title, MB_ICONERROR, text);
}
inline std::wstring InfoBox(const std::wstring& text) {
    return Box(L"Information", MB_ICONINFORMATION, text);
}

// What the window shows for a command whose report went out, or did not; and for the format
// command, which has texts of its own. Inline, so that tests' own constants built from them
// are initialised after them.
inline const std::wstring kSent = Status(L"Set Command OK!");
inline const std::wstring kSendFailed = ErrorBox(L"Error", L"Send data timeout!");
inline const std::wstring kReceiveFailed = Status(L"Receive data timeout!");
inline const std::wstring kFormatSent = Status(L"Send data success");
inline const std::wstring kFormatSendFailed = Status(L"Send data timeout!");
inline const std::wstring kFormatReceiveFailed = Status(L"Receive data timeout");
inline const std::wstring kFormatReceiveBox = ErrorBox(L"ERROR", L"Receive data timeout");

// The reader pulled out during the pending write or read of each command: what it shows.
struct UnplugCase {
    int button;
    bool duringRead;
    Entries shown;
};
extern const std::vector<UnplugCase> kUnplugCases;

// Outlived by the window it watches (WindowTest destroys the window first).
class Timeline : public RecordingPrompts {
public:
    int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) override;
    void WatchStatus(HWND dialog);  // records the texts written to its status line

    Entries entries;
};

class WindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { dialog.reset(); }
    void Clear() { timeline.entries.clear(), timeline.pauses.clear(); }
    const Entries& Press(int id);  // clears, clicks and returns what the click showed
    void SetText(int id, const wchar_t* text) { SetDlgItemTextW(hwnd, id, text); }
    void SetChecked(std::initializer_list<int> ids, bool checked);
    void EnablePair(int pair, const wchar_t* original, const wchar_t* replacement);

    Timeline timeline;
    std::unique_ptr<SettingsDialog> dialog;
    HWND hwnd = nullptr;
};
