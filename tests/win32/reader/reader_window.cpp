#include "reader_window.h"

#include "res/resource.h"
#include "ui_helpers.h"

namespace {
Timeline* g_watching = nullptr;
WNDPROC g_statusProc = nullptr;  // the status line's own

LRESULT CALLBACK StatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_statusProc, hwnd, message, wParam, lParam);
    if (message == WM_SETTEXT)
        g_watching->entries.push_back(Status(WindowText(hwnd)));
    return result;
}
}  // namespace

const std::vector<UnplugCase> kUnplugCases = {
    {IDC_SET_DEVICE, false, {kFormatSendFailed, kFormatReceiveFailed, kFormatReceiveBox}},
    {IDC_SET_DEVICE, true, {kFormatSent, kFormatReceiveFailed, kFormatReceiveBox}},
    {IDC_GET_VERSION, false, {kSendFailed, kReceiveFailed}},
    {IDC_GET_VERSION, true, {kSent, kReceiveFailed}},
    {IDC_SET_REPLACE, false, {kSendFailed, kReceiveFailed}},
    {IDC_SET_REPLACE, true, {kSent, kReceiveFailed}},
    {IDC_CANCEL_REPLACE, false, {kSendFailed, kReceiveFailed}},
    {IDC_CANCEL_REPLACE, true, {kSent, kReceiveFailed}},
};

int Timeline::ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    entries.push_back(Box(title, type & MB_ICONMASK, text));
    return RecordingPrompts::ShowBox(owner, text, title, type);
}

void Timeline::WatchStatus(HWND dialog) {
    g_watching = this;
    g_statusProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        GetDlgItem(dialog, IDC_STATUS), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StatusProc)));
}

void WindowTest::SetUp() {
    dialog = std::make_unique<SettingsDialog>();
    hwnd = dialog->Create();
    ASSERT_NE(hwnd, nullptr);
    PumpMessages();
    timeline.WatchStatus(hwnd);
}

const Entries& WindowTest::Press(int id) {
    Clear();
    Click(hwnd, id);
    return timeline.entries;
}

void WindowTest::SetChecked(std::initializer_list<int> ids, bool checked) {
    for (int id : ids)
        if (IsItemChecked(hwnd, id) != checked)
            Click(hwnd, id);
}

void WindowTest::EnablePair(int pair, const wchar_t* original, const wchar_t* replacement) {
    SetChecked({pair == 1 ? IDC_ALLOW_PAIR1 : IDC_ALLOW_PAIR2}, true);
    SetText(pair == 1 ? IDC_PAIR1_CHAR : IDC_PAIR2_CHAR, original);
    SetText(pair == 1 ? IDC_PAIR1_REPLACEMENT : IDC_PAIR2_REPLACEMENT, replacement);
}
