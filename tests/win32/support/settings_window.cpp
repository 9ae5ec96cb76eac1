#include "settings_window.h"

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

void SettingsWindowTest::SetUp() {
    ASSERT_NE(hwnd = Open(dialog), nullptr);
    g_watching = &prompts;
    g_statusProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        GetDlgItem(hwnd, IDC_STATUS), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StatusProc)));
}

HWND SettingsWindowTest::Open(std::unique_ptr<SettingsDialog>& window) {
    window = std::make_unique<SettingsDialog>();
    const HWND opened = window->Create();
    PumpMessages();
    return opened;
}
