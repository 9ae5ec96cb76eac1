// What Wine's HID stack adds to one reader command: the time from the click to the final
// status, median of many clicks, with the simulated host behind the HID seam and with the
// system's own calls against the virtual card reader. Both windows stay open and take turns,
// so that whatever else the machine is doing weighs on both figures alike. Run by
// `make bench` in the virtual reader's prefix (scripts/e2e.sh bench).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "app/settings_dialog.h"
#include "bench_clock.h"
#include "reader/hid_api.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "simulated_hid.h"
#include "ui_helpers.h"
#include "virtual_reader.h"

constexpr int kRounds = 20, kClicksPerRound = 10;

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RecordingPrompts prompts;
    SimulatedHid host;
    host.AddReader();  // answers 'Y'
    VirtualReader::Reset();
    // Two settings windows, connected to the simulated host and to the system's own calls.
    std::optional<fw::Seam<reader::HidApi>::Substitute> systemCalls;
    const auto connect = [&systemCalls](int s) {
        systemCalls.reset();
        if (s == 1)
            systemCalls.emplace(reader::HidSeam(), reader::HidSeam().System());
    };
    SettingsDialog dialogs[2];
    HWND windows[2] = {};
    for (int s = 0; s < 2; ++s) {
        connect(s);
        if ((windows[s] = dialogs[s].Create()) == nullptr)
            return 1;
        PumpMessages();
        Click(windows[s], IDC_FIND_DEVICE);
    }
    std::printf("One command from click to final status, median of %d clicks (ms):\n",
                kRounds * kClicksPerRound);
    std::printf("%-16s %16s %16s %22s\n", "command", "simulated host", "virtual reader",
                "Wine's HID stack adds");
    bool answered = true;
    for (const auto& [name, button] : {std::pair<const char*, int>{"Set Device", IDC_SET_DEVICE},
                                       {"Get Version", IDC_GET_VERSION},
                                       {"Cancel replace", IDC_CANCEL_REPLACE}}) {
        std::vector<double> times[2];
        for (int round = 0; round < kRounds; ++round) {
            for (int s = 0; s < 2; ++s) {  // the two windows take turns
                connect(s);
                for (int i = 0; i < kClicksPerRound; ++i) {
                    prompts.boxes.clear();
                    const double start = NowMs();
                    Click(windows[s], button);
                    times[s].push_back(NowMs() - start);
                    answered = answered && prompts.boxes.size() == 1 &&
                               prompts.boxes[0].title == L"Information";
                }
            }
        }
        const double a = Median(times[0]), b = Median(times[1]);
        std::printf("%-16s %16.3f %16.3f %22.3f\n", name, a, b, b - a);
    }
    for (int s = 0; s < 2; ++s) {
        connect(s);
        dialogs[s].Destroy();
    }
    VirtualReader::Reset();
    if (answered)
        return 0;
    std::printf("not every command was answered\n");
    return 1;
}
