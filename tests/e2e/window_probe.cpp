// Tells a script about one of the program's windows, found among the visible top-level
// windows by its controls: the welcome window by its Enter and close buttons, the settings
// window by its Find Device button and status line.
//   e2e_window_probe welcome|settings center <control id>   prints "x y", the control's
//                                                            centre on the screen
//   e2e_window_probe welcome|settings text <control id>     prints its text (UTF-8)
// Exit code 0 when the window and the control were found.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kFindDevice = 1001;
constexpr int kStatus = 1023;

struct Search {
    bool settings;
    HWND found;
};

bool Has(HWND hwnd, int id) {
    return GetDlgItem(hwnd, id) != nullptr;
}

BOOL CALLBACK Pick(HWND hwnd, LPARAM param) {
    Search& search = *reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(hwnd))
        return TRUE;
    const bool settings = Has(hwnd, kFindDevice) && Has(hwnd, kStatus);
    const bool welcome = !Has(hwnd, kFindDevice) && Has(hwnd, IDOK) && Has(hwnd, IDCANCEL);
    if (search.settings ? settings : welcome) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    Search search{std::strcmp(argv[1], "settings") == 0, nullptr};
    EnumWindows(&Pick, reinterpret_cast<LPARAM>(&search));
    HWND control = search.found != nullptr ? GetDlgItem(search.found, std::atoi(argv[3])) : nullptr;
    if (control == nullptr)
        return 1;
    if (std::strcmp(argv[2], "center") == 0) {
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
