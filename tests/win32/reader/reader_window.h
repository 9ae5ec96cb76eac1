// The settings window with every status text and message box recorded in the order they
// appear, over a simulated HID host (ReaderWindow) or whatever host is installed.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "framework/prompts.h"
#include "simulated_hid.h"

// "status: <text>", "box <title> (error|info): <text>", in order.
using Entries = std::vector<std::wstring>;
std::wstring Status(const std::wstring& text);
std::wstring ErrorBox(const std::wstring& title, const std::wstring& text);
std::wstring InfoBox(const std::wstring& text);

// What the window shows for a command whose report went out, or did not; and for the format
// command, which has texts of its own.
extern const std::wstring kSent, kSendFailed, kReceiveFailed;
extern const std::wstring kFormatSent, kFormatSendFailed, kFormatReceiveFailed, kFormatReceiveBox;

// The reader pulled out during the pending write or read of each command: what it shows.
struct UnplugCase {
    int button;
    bool duringRead;
    Entries shown;
};
extern const std::vector<UnplugCase> kUnplugCases;

class Timeline : public fw::Prompts {
public:
    Timeline() : previous_(fw::SetPrompts(this)) {}
    ~Timeline() override;
    int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) override;
    void Pause(DWORD milliseconds) override { pauses.push_back(milliseconds); }
    // Starts recording the texts written to the status line of `dialog`.
    void WatchStatus(HWND dialog);

    Entries entries;
    std::vector<DWORD> pauses;

private:
    static LRESULT CALLBACK StatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    fw::Prompts* previous_;
    HWND status_ = nullptr;
    WNDPROC original_ = nullptr;
};

// The window over whatever HID host is installed.
class WindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { dialog.reset(); }
    void Clear();
    // Clears, clicks and returns what the click showed.
    const Entries& Press(int id);
    void SetText(int id, const wchar_t* text) { SetDlgItemTextW(hwnd, id, text); }
    void SetChecked(int id, bool checked);
    void EnablePair(int pair, const wchar_t* original, const wchar_t* replacement);

    Timeline timeline;
    std::unique_ptr<SettingsDialog> dialog;
    HWND hwnd = nullptr;
};

// The window over a simulated host that must be left with nothing held.
class ReaderWindow : public WindowTest {
protected:
    void TearDown() override;
    // A reader that answers the version query with "V1.0".
    SimulatedDevice& AddReader();
    // Finds the reader and forgets what that showed and sent.
    void Connect(SimulatedDevice& reader);
    void ExpectNothingHeld(int openDevices);

    SimulatedHid host;  // declared first: it outlives the window and its link
};
