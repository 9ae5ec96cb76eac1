// Tells a script about one of the program's windows, found among the visible top-level
// windows by its controls: the welcome window by its Enter and close buttons, the settings
// window by its Find Device button and status line.
//   e2e_window_probe welcome|settings center <control id>   prints "x y", the control's
//                                                            centre on the screen
//   e2e_window_probe welcome|settings text <control id>     prints its text (UTF-8)
//   e2e_window_probe welcome|settings frame <control id>    prints "x y width height", the
//                                                            window's own place on the screen
//   e2e_window_probe welcome|settings ready <control id>    the window is in front, takes
//                                                            the keys and has painted
//   e2e_window_probe foreground                              prints the caption of the
//                                                            window in front once it has
//                                                            painted (a message box's title)
//   e2e_window_probe menu                                    a popup menu is open and has
//                                                            painted
//   e2e_window_probe card TRACK1 TRACK2 TRACK3                gives the virtual reader a test
//                                                            card ("" for a track it lacks)
//   e2e_window_probe swipe                                   types what the virtual reader
//                                                            types for its card into the
//                                                            window in front, as a keyboard
// Exit code 0 when the window and the control were found (and, for ready, it is in front).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

const wchar_t kReaderKey[] =
    L"System\\CurrentControlSet\\Enum\\ROOT\\VID_5131&PID_2007\\0000\\Device Parameters";
bool g_settings = false;  // which window is looked for
HWND g_found = nullptr;

BOOL CALLBACK Pick(HWND hwnd, LPARAM) {
    const auto has = [hwnd](int id) { return GetDlgItem(hwnd, id) != nullptr; };
    const bool settings = has(IDC_FIND_DEVICE) && has(IDC_STATUS);
    const bool welcome = !has(IDC_FIND_DEVICE) && has(IDOK) && has(IDCANCEL);
    if (IsWindowVisible(hwnd) && (g_settings ? settings : welcome))
        g_found = hwnd;
    return g_found == nullptr;
}

// Waits until `hwnd` has painted what it owes and handled the messages before this one.
bool Painted(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

void PrintText(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
    std::printf("%s\n", utf8);
}

// The virtual reader's test card: its three tracks, one a line.
bool SetCard(char** tracks) {
    std::wstring card;
    for (int i = 0; i < 3; ++i) {
        for (const char* c = tracks[i]; *c != 0; ++c)
            card += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        card += L'\n';
    }
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kReaderKey, L"Card", REG_SZ, card.c_str(),
                           static_cast<DWORD>((card.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

// Types the reader's "Typed" value: characters as a keyboard's character keys, a carriage
// return as the Return key.
bool TypeWhatTheReaderTypes() {
    wchar_t typed[1024] = {};
    DWORD size = sizeof(typed) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kReaderKey, L"Typed", RRF_RT_REG_SZ, nullptr, typed,
                     &size) != ERROR_SUCCESS)
        return false;
    std::vector<INPUT> keys;
    for (const wchar_t* c = typed; *c != 0; ++c) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        if (*c == L'\r') {
            down.ki.wVk = VK_RETURN;
        } else {
            down.ki.wScan = *c;
            down.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        keys.push_back(down);
        keys.push_back(up);
    }
    SecureZeroMemory(typed, sizeof(typed));
    return SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "card") == 0)
        return SetCard(argv + 2) ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "swipe") == 0)
        return TypeWhatTheReaderTypes() ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "foreground") == 0) {
        const HWND front = GetForegroundWindow();
        if (front == nullptr || !Painted(front))
            return 1;
        PrintText(front);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "menu") == 0) {
        const HWND menu = FindWindowW(L"#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu) && Painted(menu) ? 0 : 1;
    }
    if (argc != 4)
        return 2;
    g_settings = std::strcmp(argv[1], "settings") == 0;
    EnumWindows(&Pick, 0);
    HWND control = g_found != nullptr ? GetDlgItem(g_found, std::atoi(argv[3])) : nullptr;
    if (control == nullptr)
        return 1;
    if (std::strcmp(argv[2], "center") == 0) {
        RECT rect{};
        GetWindowRect(control, &rect);
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return 0;
    }
    if (std::strcmp(argv[2], "frame") == 0) {
        RECT rect{};
        GetWindowRect(g_found, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
        return 0;
    }
    if (std::strcmp(argv[2], "ready") == 0)
        return GetForegroundWindow() == g_found && Painted(g_found) ? 0 : 1;
    PrintText(control);
    return 0;
}
