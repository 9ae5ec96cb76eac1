#include "reader_window.h"

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

void WindowTest::SetUp() {
    dialog = std::make_unique<SettingsDialog>();
    ASSERT_NE(hwnd = dialog->Create(), nullptr);
    PumpMessages();
    g_watching = &timeline;
    g_statusProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        GetDlgItem(hwnd, IDC_STATUS), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StatusProc)));
}
