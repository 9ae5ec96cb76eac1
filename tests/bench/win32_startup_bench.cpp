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

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    auto ms = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

struct StartUp {
    double wallMs;  // from CreateProcess to the first visible top-level window
    double cpuMs;   // what the new process had used by then
};

// Negative times when no window appears within 10 s.
StartUp TimeToFirstWindow(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const double start = NowMs();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return {-1, -1};
    StartUp elapsed{-1, -1};
    for (;;) {
        Search search{process.dwProcessId, false};
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        const double now = NowMs();
        if (search.found) {
            elapsed = {now - start, CpuMs(process.hProcess)};
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
    std::vector<double> wall[2], cpu[2], wallRatios, cpuRatios;  // [0] program, [1] yardstick
    TimeToFirstWindow(program);  // warm the file cache and Wine's own start-up paths
    TimeToFirstWindow(empty);
    for (int i = 0; i < pairs; ++i) {
        StartUp run[2];
        const int first = i % 2;  // which of the two starts first alternates
        run[first] = TimeToFirstWindow(first == 0 ? program : empty);
        run[1 - first] = TimeToFirstWindow(first == 0 ? empty : program);
        if (run[0].wallMs < 0 || run[1].wallMs < 0) {
            std::printf("start-up: a program showed no window\n");
            return 1;
        }
        for (int k = 0; k < 2; ++k) {
            wall[k].push_back(run[k].wallMs);
            cpu[k].push_back(run[k].cpuMs);
        }
        wallRatios.push_back(run[0].wallMs / run[1].wallMs);
        if (run[1].cpuMs > 0)
            cpuRatios.push_back(run[0].cpuMs / run[1].cpuMs);
    }
    std::printf(
        "start-up to first window (%s, median of %d pairs): program %.1f ms, empty "
        "dialog %.1f ms, ratio %.2f; process CPU %.1f ms against %.1f ms",
        APP_FLAVOUR_TEXT, pairs, Median(wall[0]), Median(wall[1]), Median(wallRatios),
        Median(cpu[0]), Median(cpu[1]));
    if (!cpuRatios.empty())
        std::printf(", ratio %.2f", Median(cpuRatios));
    std::printf("\n");
    return 0;
}
