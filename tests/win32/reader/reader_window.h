// The settings window over a simulated HID host, with every status text and message box
// recorded in the order they appear.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "framework/prompts.h"
#include "simulated_hid.h"

// Records message boxes and pauses, and (through the status line) status texts, as one list:
// "status: <text>", "box <title> (error|info): <text>".
class Timeline : public fw::Prompts {
public:
    Timeline();
    ~Timeline() override;
    int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) override;
    void Pause(DWORD milliseconds) override;
    // Starts recording the texts written to the status line of `dialog`.
    void WatchStatus(HWND dialog);

    std::vector<std::wstring> entries;
    std::vector<DWORD> pauses;

private:
    static LRESULT CALLBACK StatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    fw::Prompts* previous_;
    HWND status_ = nullptr;
    WNDPROC original_ = nullptr;
};

std::wstring Status(const std::wstring& text);
std::wstring ErrorBox(const std::wstring& title, const std::wstring& text);
std::wstring InfoBox(const std::wstring& text);
using Entries = std::vector<std::wstring>;

class ReaderWindow : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Finds the reader and forgets what that showed and sent.
    void Connect(SimulatedDevice& reader);
    void Clear();
    void SetText(int id, const wchar_t* text);
    void SetChecked(int id, bool checked);
    std::wstring StatusText() const;

    SimulatedHid host;  // declared first: it outlives the window and its link
    Timeline timeline;
    std::unique_ptr<SettingsDialog> dialog;
    HWND hwnd = nullptr;
};
