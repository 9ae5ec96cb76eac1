// How fast the swipe test keeps up with a reader: a swipe of all three tracks (about 250
// characters, as long as a reader types) sent with SendInput as fast as the system takes it,
// and the time until the verdict shows. Median of 9 swipes; run with `make bench`.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "bench_clock.h"
#include "swipe_window.h"
#include "ui_helpers.h"

int main() {
    SettingsDialog settings;
    const HWND window = settings.Create();
    PumpMessages();
    // An invented card, every track at about its longest.
    const std::wstring swipe =
        L"%B5217000000000008^BENCHMARK/CARD TESTING THE LENGTH^"
        L"25121010000000000000000000000000000000000000?;"
        L"5217000000000008=25121010000000000000?+"
        L"01521700000000000849900000000000000000000000000000000000000000000"
        L"000000000000000000000000000000000000000000?\r";
    std::vector<double> times;
    std::size_t lost = 0;
    for (int i = 0; i < 9; ++i) {
        const SwipeSeen seen = SwipeThroughWindow(window, swipe);
        times.push_back(seen.verdictMs);
        lost += seen.result.find(L"Matches the format.") == std::wstring::npos;
    }
    std::printf(
        "swipe test: %zu characters, verdict %.0f ms after the keys were sent "
        "(median of %zu), swipes not matching: %zu\n",
        swipe.size(), Median(times), times.size(), lost);
    settings.Destroy();
    return lost == 0 ? 0 : 1;
}
