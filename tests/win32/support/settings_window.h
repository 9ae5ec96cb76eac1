// The settings window opened for a test, over recorded prompts: every message box, and every
// text of the status line, recorded in the order they appear, over whatever HID host is
// installed (the simulated one, or the system's). Every test group that opens the settings
// window uses it, the end-to-end tests too.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "app/settings_dialog.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "simulated_hid.h"
#include "ui_helpers.h"

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

// A form the window refuses: its notice on the status line and in an "Error" box.
inline Entries Refused(const std::wstring& text) {
    return {Status(text), ErrorBox(L"Error", text)};
}
inline bool IsRefusal(const Entries& shown) {
    return shown.size() == 2 && shown[0].rfind(L"status: ", 0) == 0 &&
           shown == Refused(shown[0].substr(8));
}

// What a command shows when its report went out, or did not (the format command's own texts
// too); inline, so that constants built from them elsewhere are initialised after them.
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
inline const std::vector<UnplugCase> kUnplugCases = {
    {IDC_SET_DEVICE, false, {kFormatSendFailed, kFormatReceiveFailed, kFormatReceiveBox}},
    {IDC_SET_DEVICE, true, {kFormatSent, kFormatReceiveFailed, kFormatReceiveBox}},
    {IDC_GET_VERSION, false, {kSendFailed, kReceiveFailed}},
    {IDC_GET_VERSION, true, {kSent, kReceiveFailed}},
    {IDC_SET_REPLACE, false, {kSendFailed, kReceiveFailed}},
    {IDC_SET_REPLACE, true, {kSent, kReceiveFailed}},
    {IDC_CANCEL_REPLACE, false, {kSendFailed, kReceiveFailed}},
    {IDC_CANCEL_REPLACE, true, {kSent, kReceiveFailed}},
};

// The boxes as RecordingPrompts keeps them, and beside them the timeline of boxes and status
// texts. Outlived by the windows it watches (SettingsWindowTest destroys them first).
struct Timeline : RecordingPrompts {
    int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) override {
        entries.push_back(Box(title, type & MB_ICONMASK, text));
        return RecordingPrompts::ShowBox(owner, text, title, type);
    }
    Entries entries;  // the status line's texts too, as they are written (SettingsWindowTest)
};

struct SettingsWindowTest : testing::Test {
    // Opens `dialog` and watches its status line.
    void SetUp() override;
    void TearDown() override {
        second.reset();
        dialog.reset();
    }
    // Opens another settings window into `window` (closing the one there) and answers it.
    static HWND Open(std::unique_ptr<SettingsDialog>& window);
    void Clear() {
        prompts.boxes.clear();
        prompts.entries.clear();
        prompts.pauses.clear();
    }
    // Clears, clicks and returns what the click showed.
    const Entries& Press(int id) {
        Clear();
        Click(hwnd, id);
        return prompts.entries;
    }
    void SetText(int id, const wchar_t* text) { SetDlgItemTextW(hwnd, id, text); }
    void SetChecked(std::initializer_list<int> ids, bool checked) {
        for (int id : ids)
            if (IsItemChecked(hwnd, id) != checked)
                Click(hwnd, id);
    }
    void EnablePair(int pair, const wchar_t* original, const wchar_t* replacement) {
        SetChecked({pair == 1 ? IDC_ALLOW_PAIR1 : IDC_ALLOW_PAIR2}, true);
        SetText(pair == 1 ? IDC_PAIR1_CHAR : IDC_PAIR2_CHAR, original);
        SetText(pair == 1 ? IDC_PAIR1_REPLACEMENT : IDC_PAIR2_REPLACEMENT, replacement);
    }

    Timeline prompts;
    std::unique_ptr<SettingsDialog> dialog;
    std::unique_ptr<SettingsDialog> second;  // another window, for a test that needs one
    HWND hwnd = nullptr;
};
