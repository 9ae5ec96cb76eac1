// Small helpers for driving real windows from tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

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
// Pumps messages until `done` answers true or `limitMs` milliseconds have passed; answers
// whether `done` came true.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs);
// Moves the pointer as the user would (SetCursorPos: the system sends the mouse messages) to
// `offset` from the top left corner of `window`, and pumps messages until `seen` answers
// true. Under Wine on a bare X server the system can lose a move (its position falls back to
// the previous one), so the move is made again, a pixel further, after a second, three times
// at most. Answers whether `seen` came true.
bool MovePointerUntil(HWND window, POINT offset, const std::function<bool()>& seen);
// The width of `icon`'s image in pixels; -1 for no icon.
LONG IconWidth(HICON icon);
// The pixels of `window`'s client area as it shows them, row by row.
std::vector<COLORREF> ShownPixels(HWND window);
// Types `text` into whatever window has the keyboard, as a reader types: each character as a
// keyboard's own character key, a carriage return as the Return key; all in one go, as fast
// as the system takes them.
void TypeKeys(const std::wstring& text);
// Presses and releases one key.
void PressKey(WORD key);
// Runs `action` on the next pass of the message loop of a modal window that is about to
// start, or `delayMs` later (a one-shot thread timer). What it sees it leaves in the caller's
// variables, captured by reference, which the caller reads once the modal loop has ended.
void RunSoon(std::function<void()> action, UINT delayMs = 50);
