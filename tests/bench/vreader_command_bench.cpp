// What Wine's HID stack adds to one reader command: the time from the click to the final
// status, median of many clicks, with the simulated host behind the HID seam and then with
// the system's own calls against the virtual card reader. Run by `make bench` in the
// virtual reader's prefix (scripts/e2e.sh bench).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/settings_dialog.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "simulated_hid.h"
#include "ui_helpers.h"
#include "virtual_reader.h"

namespace {

constexpr int kClicks = 200;

struct Command {
    const char* name;
    int button;
};
const Command kCommands[] = {
    {"Set Device", IDC_SET_DEVICE},
    {"Get Version", IDC_GET_VERSION},
    {"Cancel replace", IDC_CANCEL_REPLACE},
};
constexpr int kCommandCount = sizeof(kCommands) / sizeof(kCommands[0]);

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double MedianClickMs(HWND hwnd, int button) {
    std::vector<double> times;
    for (int i = 0; i < kClicks; ++i) {
        const double start = NowMs();
        Click(hwnd, button);
        times.push_back(NowMs() - start);
    }
    std::nth_element(times.begin(), times.begin() + kClicks / 2, times.end());
    return times[kClicks / 2];
}

// Finds the reader behind whatever the seam holds now and times every command; false when
// the reader was not found or a command was not answered.
bool MeasureAll(RecordingPrompts& prompts, double (&medians)[kCommandCount]) {
    SettingsDialog dialog;
    HWND hwnd = dialog.Create();
    if (hwnd == nullptr)
        return false;
    PumpMessages();
    Click(hwnd, IDC_FIND_DEVICE);
    for (int i = 0; i < kCommandCount; ++i) {
        prompts.boxes.clear();
        medians[i] = MedianClickMs(hwnd, kCommands[i].button);
        // Every click ends with the answer's box; a timeout would show another one.
        if (prompts.boxes.size() != static_cast<std::size_t>(kClicks) ||
            prompts.boxes.back().title != L"Information")
            return false;
    }
    return true;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RecordingPrompts prompts;

    double simulated[kCommandCount] = {};
    {
        SimulatedHid host;
        host.AddReader().answer = SimulatedDevice::Answer::Yes;
        if (!MeasureAll(prompts, simulated)) {
            std::printf("the simulated reader did not answer every command\n");
            return 1;
        }
    }
    double real[kCommandCount] = {};
    VirtualReader::Reset();
    if (!MeasureAll(prompts, real)) {
        std::printf("the virtual reader did not answer every command\n");
        return 1;
    }
    VirtualReader::Reset();

    std::printf("One command from click to final status, median of %d clicks (ms):\n", kClicks);
    std::printf("%-16s %16s %16s %22s\n", "command", "simulated host", "virtual reader",
                "Wine's HID stack adds");
    for (int i = 0; i < kCommandCount; ++i) {
        std::printf("%-16s %16.3f %16.3f %22.3f\n", kCommands[i].name, simulated[i], real[i],
                    real[i] - simulated[i]);
    }
    return 0;
}
