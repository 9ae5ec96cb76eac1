#include "ui_helpers.h"

#include <vector>

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> text(length + 1);
    GetWindowTextW(hwnd, text.data(), length + 1);
    return text.data();
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool IsItemChecked(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

void Click(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {
void (*g_soon)() = nullptr;

void CALLBACK FireSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto action = g_soon;
    g_soon = nullptr;
    if (action)
        action();
}
}  // namespace

void RunSoon(void (*action)()) {
    g_soon = action;
    SetTimer(nullptr, 0, 50, &FireSoon);
}
