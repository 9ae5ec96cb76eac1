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
#include "reader/hid_api.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "simulated_hid.h"
#include "ui_helpers.h"
#include "virtual_reader.h"

namespace {

constexpr int kRounds = 20;
constexpr int kClicksPerRound = 10;
constexpr int kClicks = kRounds * kClicksPerRound;

struct Command {
    const char* name;
    int button;
};
const Command kCommands[] = {
    {"Set Device", IDC_SET_DEVICE},
    {"Get Version", IDC_GET_VERSION},
    {"Cancel replace", IDC_CANCEL_REPLACE},
};

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// A settings window connected to the reader behind `api` (null: the system's calls).
struct Side {
    reader::HidApi* api = nullptr;
    std::unique_ptr<SettingsDialog> dialog;
    HWND hwnd = nullptr;
    std::vector<double> times;
    bool answered = true;
};

bool Connect(Side& side) {
    reader::SetHidApi(side.api);
    side.dialog = std::make_unique<SettingsDialog>();
    side.hwnd = side.dialog->Create();
    if (side.hwnd == nullptr)
        return false;
    PumpMessages();
    Click(side.hwnd, IDC_FIND_DEVICE);
    return true;
}

// Clicks `button` a few times on one side; every click must end with the answer's box.
void Round(Side& side, int button, RecordingPrompts& prompts) {
    reader::SetHidApi(side.api);
    for (int i = 0; i < kClicksPerRound; ++i) {
        prompts.boxes.clear();
        const double start = NowMs();
        Click(side.hwnd, button);
        side.times.push_back(NowMs() - start);
        if (prompts.boxes.size() != 1 || prompts.boxes.back().title != L"Information")
            side.answered = false;
    }
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RecordingPrompts prompts;
    SimulatedHid host;
    host.AddReader().answer = SimulatedDevice::Answer::Yes;
    VirtualReader::Reset();

    // Both windows stay open and take turns, so that whatever else the system is doing
    // weighs on both figures alike.
    Side simulated;
    simulated.api = &host;
    Side real;
    if (!Connect(simulated) || !Connect(real))
        return 1;
    std::printf("One command from click to final status, median of %d clicks (ms):\n", kClicks);
    std::printf("%-16s %16s %16s %22s\n", "command", "simulated host", "virtual reader",
                "Wine's HID stack adds");
    bool answered = true;
    for (const Command& command : kCommands) {
        simulated.times.clear();
        real.times.clear();
        for (int round = 0; round < kRounds; ++round) {
            Round(simulated, command.button, prompts);
            Round(real, command.button, prompts);
        }
        const double a = Median(simulated.times), b = Median(real.times);
        std::printf("%-16s %16.3f %16.3f %22.3f\n", command.name, a, b, b - a);
        answered = answered && simulated.answered && real.answered;
    }
    real.dialog.reset();
    reader::SetHidApi(&host);
    simulated.dialog.reset();
    VirtualReader::Reset();
    if (!answered)
        std::printf("not every command was answered\n");
    return answered ? 0 : 1;
}
