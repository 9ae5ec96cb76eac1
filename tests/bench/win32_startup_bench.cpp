// How long the program takes from its start to its first window on screen, side by side
// with an empty dialog program built with the same toolchain and flags. Pairs alternate
// which program starts first; the medians and their ratio are printed. Run with
// `make bench`; both programs are found beside this one.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "flavour.h"

namespace {

// A pause before each start, in which the system finishes taking the last process down (its
// windows on the display, Wine's server), so that none of that work falls on the next start:
// started at once, either program took about 100 ms instead of 55 on a two-core host, and
// the ratio said more about that than about the programs.
constexpr DWORD kSettleMs = 200;

// Stops the enumeration at a visible top-level window of the process `data` points to.
BOOL CALLBACK IsNotItsWindow(HWND window, LPARAM data) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner != *reinterpret_cast<DWORD*>(data) || !IsWindowVisible(window);
}

// Milliseconds from CreateProcess to the first visible top-level window of the new process;
// negative when none appears within 10 s.
double TimeToFirstWindow(std::wstring program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const double start = NowMs();
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    double elapsed = -1;
    while (elapsed < 0 && NowMs() - start < 10000 &&
           WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        if (!EnumWindows(IsNotItsWindow, reinterpret_cast<LPARAM>(&process.dwProcessId)))
            elapsed = NowMs() - start;
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

}  // namespace

int main() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring folder(self, std::wstring(self).find_last_of(L"\\/") + 1);
    const std::wstring programs[2] = {folder + L"" APP_FILE_NAME,
                                      folder + L"bench_empty_dialog.exe"};
    // [0] the program, [1] the yardstick. A start that shows no window (Wine now and then
    // loses one under load) costs its pair: `pairs` whole pairs out of at most twice as many.
    // Even so, two copies of one program come out a few per cent apart now and then.
    const int pairs = 61;
    std::vector<double> wall[2], ratios;
    for (const std::wstring& program : programs)
        TimeToFirstWindow(program);  // warms the file cache and Wine's own start-up paths
    int tries = 0, done = 0;
    for (; done < pairs && tries < 2 * pairs; ++tries) {
        double run[2];
        for (int k = 0; k < 2; ++k) {  // which of the two starts first alternates
            Sleep(kSettleMs);
            run[(tries + k) % 2] = TimeToFirstWindow(programs[(tries + k) % 2]);
        }
        if (run[0] >= 0 && run[1] >= 0) {
            for (int k = 0; k < 2; ++k)
                wall[k].push_back(run[k]);
            ratios.push_back(run[0] / run[1]);
            ++done;
        }
    }
    if (done < pairs) {
        std::printf("start-up: %d pairs lost a start that showed no window\n", tries - done);
        return 1;
    }
    std::printf(
        "start-up to first window (%s, median of %d pairs): program %.1f ms, empty "
        "dialog %.1f ms, ratio %.2f (%d pairs tried again)\n",
        APP_FLAVOUR_TEXT, pairs, Median(wall[0]), Median(wall[1]), Median(ratios), tries - done);
    return 0;
}
