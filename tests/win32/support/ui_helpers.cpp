#include "ui_helpers.h"

#include <utility>
#include <vector>

std::wstring WindowText(HWND hwnd) {
    std::vector<wchar_t> text(GetWindowTextLengthW(hwnd) + 1);
    GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    return text.data();
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
    if (auto action = std::exchange(g_soon, nullptr))
        action();
}
}  // namespace

void RunSoon(void (*action)()) {
    g_soon = action;
    SetTimer(nullptr, 0, 50, &FireSoon);
}
