// How long the program takes from its start to its first window on screen, side by side
// with an empty dialog program built with the same toolchain and flags. Pairs alternate
// which program starts first; the medians and their ratio are printed. Run with
// `make bench`; both programs are found beside this one, unless given as the arguments
// (program, then yardstick), which is how variants of the program are compared.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "flavour.h"

namespace {

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring Beside(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

struct Search {
    DWORD process;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from CreateProcess to the first visible top-level window of the new process;
// negative when none appears within 10 s.
double TimeToFirstWindow(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const double start = NowMs();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    double elapsed = -1;
    for (;;) {
        Search search{process.dwProcessId, false};
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        const double now = NowMs();
        if (search.found) {
            elapsed = now - start;
            break;
        }
        if (now - start > 10000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring program = argc > 2 ? argv[1] : Beside(L"" APP_FILE_NAME);
    const std::wstring empty = argc > 2 ? argv[2] : Beside(L"bench_empty_dialog.exe");
    LocalFree(argv);
    const int pairs = 15;
    std::vector<double> wall[2], ratios;  // [0] the program, [1] the yardstick
    TimeToFirstWindow(program);           // warm the file cache and Wine's own start-up paths
    TimeToFirstWindow(empty);
    for (int i = 0; i < pairs; ++i) {
        double run[2];
        const int first = i % 2;  // which of the two starts first alternates
        run[first] = TimeToFirstWindow(first == 0 ? program : empty);
        run[1 - first] = TimeToFirstWindow(first == 0 ? empty : program);
        if (run[0] < 0 || run[1] < 0) {
            std::printf("start-up: a program showed no window\n");
            return 1;
        }
        wall[0].push_back(run[0]);
        wall[1].push_back(run[1]);
        ratios.push_back(run[0] / run[1]);
    }
    std::printf(
        "start-up to first window (%s, median of %d pairs): program %.1f ms, empty "
        "dialog %.1f ms, ratio %.2f\n",
        APP_FLAVOUR_TEXT, pairs, Median(wall[0]), Median(wall[1]), Median(ratios));
    return 0;
}
