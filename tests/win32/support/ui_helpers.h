// Small helpers for driving real windows from tests.
#pragma once

#include <windows.h>

#include <string>

std::wstring WindowText(HWND hwnd);
inline std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}
inline bool IsItemChecked(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
// A click as the user makes it: BM_CLICK, which toggles automatic buttons and notifies.
inline void Click(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}
void PumpMessages();
// Runs `action` on the next pass of the message loop of a modal window that is about to
// start (a one-shot thread timer).
void RunSoon(void (*action)());
