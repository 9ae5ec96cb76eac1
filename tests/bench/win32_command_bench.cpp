// How long one command takes from the click to its final status, with a simulated reader
// that answers at once. Run with `make bench`; it prints the wall-clock time per click and
// the CPU time of the program's own thread.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "app/settings_dialog.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "simulated_hid.h"
#include "ui_helpers.h"

namespace {

struct Clock {
    double wallMs;
    double threadMs;
};

Clock Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
    };
    return {
        1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart),
        ms(kernel) + ms(user)};
}

void Measure(const char* name, int clicks, HWND hwnd, int button, int thenButton = 0) {
    const Clock start = Now();
    for (int i = 0; i < clicks; ++i) {
        Click(hwnd, button);
        if (thenButton != 0)
            Click(hwnd, thenButton);
    }
    const Clock end = Now();
    std::printf("%-30s %.3f ms wall, %.3f ms thread CPU per click\n", name,
                (end.wallMs - start.wallMs) / clicks, (end.threadMs - start.threadMs) / clicks);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SimulatedHid host;
    RecordingPrompts prompts;
    SimulatedDevice& reader = host.AddReader();
    reader.answer = SimulatedDevice::Answer::Yes;
    SettingsDialog dialog;
    HWND hwnd = dialog.Create();
    if (hwnd == nullptr)
        return 1;
    PumpMessages();
    Click(hwnd, IDC_FIND_DEVICE);

    const int clicks = 500;
    Measure("Set Device", clicks, hwnd, IDC_SET_DEVICE);
    Measure("Get Version", clicks, hwnd, IDC_GET_VERSION);
    Measure("Cancel replace", clicks, hwnd, IDC_CANCEL_REPLACE);
    Measure("Find Device while connected", clicks, hwnd, IDC_FIND_DEVICE);
    Click(hwnd, IDC_DISCONNECT);
    // The whole search with its version query; the 200 ms pause is recorded, not slept.
    Measure("Find Device + Disconnect", clicks, hwnd, IDC_FIND_DEVICE, IDC_DISCONNECT);
    // Every click must really have reached the reader.
    return reader.writes.size() >= static_cast<std::size_t>(4 * clicks) ? 0 : 1;
}
