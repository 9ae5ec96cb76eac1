// Tells a script about the program's settings window, found among the top-level dialogs by
// its Find Device button and status line:
//   e2e_window_probe center <control id>   prints "x y", the control's centre on the screen
//   e2e_window_probe text <control id>     prints the control's text (UTF-8)
// Exit code 0 when the window and the control were found.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFindDevice = 1001;
constexpr int kStatus = 1023;

BOOL CALLBACK Pick(HWND hwnd, LPARAM found) {
    if (IsWindowVisible(hwnd) && GetDlgItem(hwnd, kFindDevice) != nullptr &&
        GetDlgItem(hwnd, kStatus) != nullptr) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND SettingsWindow() {
    HWND found = nullptr;
    EnumWindows(&Pick, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    HWND window = SettingsWindow();
    HWND control = window != nullptr ? GetDlgItem(window, std::atoi(argv[2])) : nullptr;
    if (control == nullptr)
        return 1;
    if (std::strcmp(argv[1], "center") == 0) {
        RECT rect{};
        GetWindowRect(control, &rect);
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return 0;
    }
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
    std::printf("%s\n", utf8);
    return 0;
}
