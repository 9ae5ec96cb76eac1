#include "ui_helpers.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "canvas.h"
#include "framework/gdi.h"

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

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= limitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(limitMs - spent, 20),
                                  QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

bool MovePointerUntil(HWND window, POINT offset, const std::function<bool()>& seen) {
    RECT frame{};
    GetWindowRect(window, &frame);
    for (int attempt = 0; attempt < 3; ++attempt) {
        // A pixel further each time, so that a retry is a move even where the first one
        // did reach the system but its notice was lost.
        SetCursorPos(frame.left + offset.x + attempt, frame.top + offset.y);
        if (PumpUntil(seen, 1000))
            return true;
    }
    return false;
}

LONG IconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return -1;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

std::vector<COLORREF> ShownPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    Canvas canvas(client.right, client.bottom);
    {
        // The window's own surface: what reaches the screen's own copy can lag behind.
        fw::ClientDc shown(window);
        BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, shown.get(), 0, 0, SRCCOPY);
    }
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

void TypeKeys(const std::wstring& text) {
    std::vector<INPUT> keys;
    for (wchar_t c : text) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        if (c == L'\r') {
            down.ki.wVk = VK_RETURN;
        } else {
            down.ki.wScan = c;
            down.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        keys.push_back(down);
        keys.push_back(up);
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void PressKey(WORD key) {
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = key;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

namespace {
std::function<void()> g_soon;  // the action of the timer pending

void CALLBACK FireSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const std::function<void()> action = std::exchange(g_soon, nullptr);
    if (action)
        action();
}
}  // namespace

void RunSoon(std::function<void()> action, UINT delayMs) {
    g_soon = std::move(action);
    SetTimer(nullptr, 0, delayMs, &FireSoon);
}
