// What Wine's HID stack adds to one reader command: the time from the click to the final
// status, median of many clicks, with the simulated host behind the HID seam and with the
// system's own calls against the virtual card reader. Both windows stay open and take turns,
// so that whatever else the machine is doing weighs on both figures alike. Run by
// `make bench` in the virtual reader's prefix (scripts/e2e.sh bench).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/settings_dialog.h"
#include "bench_clock.h"
#include "reader/hid_api.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "simulated_hid.h"
#include "ui_helpers.h"
#include "virtual_reader.h"

namespace {

constexpr int kRounds = 20, kClicksPerRound = 10;

// A settings window connected to the reader behind `api` (null: the system's calls).
struct Side {
    explicit Side(reader::HidApi* hidApi) : api(hidApi) {}
    reader::HidApi* api;
    SettingsDialog dialog;
    HWND hwnd = nullptr;
    std::vector<double> times;
};

// Clicks `button` a few times on one side; false unless every click ends with the answer's box.
bool Round(Side& side, int button, RecordingPrompts& prompts) {
    reader::SetHidApi(side.api);
    bool answered = true;
    for (int i = 0; i < kClicksPerRound; ++i) {
        prompts.boxes.clear();
        const double start = NowMs();
        Click(side.hwnd, button);
        side.times.push_back(NowMs() - start);
        answered =
            answered && prompts.boxes.size() == 1 && prompts.boxes[0].title == L"Information";
    }
    return answered;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RecordingPrompts prompts;
    SimulatedHid host;
    host.AddReader();  // answers 'Y'
    VirtualReader::Reset();
    Side sides[2] = {Side(&host), Side(nullptr)};
    for (Side& side : sides) {
        reader::SetHidApi(side.api);
        if ((side.hwnd = side.dialog.Create()) == nullptr)
            return 1;
        PumpMessages();
        Click(side.hwnd, IDC_FIND_DEVICE);
    }
    std::printf("One command from click to final status, median of %d clicks (ms):\n",
                kRounds * kClicksPerRound);
    std::printf("%-16s %16s %16s %22s\n", "command", "simulated host", "virtual reader",
                "Wine's HID stack adds");
    bool answered = true;
    for (const auto& [name, button] : {std::pair<const char*, int>{"Set Device", IDC_SET_DEVICE},
                                       {"Get Version", IDC_GET_VERSION},
                                       {"Cancel replace", IDC_CANCEL_REPLACE}}) {
        for (Side& side : sides)
            side.times.clear();
        for (int round = 0; round < kRounds; ++round)
            for (Side& side : sides)
                answered = Round(side, button, prompts) && answered;
        const double a = Median(sides[0].times), b = Median(sides[1].times);
        std::printf("%-16s %16.3f %16.3f %22.3f\n", name, a, b, b - a);
    }
    reader::SetHidApi(nullptr);
    sides[1].dialog.Destroy();
    reader::SetHidApi(&host);
    sides[0].dialog.Destroy();
    VirtualReader::Reset();
    if (!answered)
        std::printf("not every command was answered\n");
    return answered ? 0 : 1;
}
