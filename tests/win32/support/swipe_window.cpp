#include "swipe_window.h"

#include <atomic>
#include <thread>

#include "bench_clock.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

const wchar_t kWaiting[] = L"Waiting for a swipe...";
constexpr UINT kPollMs = 1;
constexpr double kLimitMs = 10000;  // the verdict takes a small fraction of that

// One run: what it types and what it has seen. The window's own modal loop runs its steps,
// so that its keys go the way the system sends them.
struct SwipeRun {
    std::wstring swipe;
    DWORD pacedMs = 0;
    DWORD readyMs = 0;
    SwipeSeen seen;
    std::thread typist;
    std::atomic<double> lastKey{0};  // when the last key went out; 0 until then
    double started = 0;

    void TypeSwipe() {
        const HWND window = GetActiveWindow();
        if (GetDlgItem(window, IDC_SWIPE_CAPTURE) == nullptr)
            return;  // no swipe window: the menu command returns by itself
        seen.window = window;
        seen.title = WindowText(window);
        seen.clear = ItemText(window, IDC_SWIPE_CLEAR);
        SetForegroundWindow(window);
        SetFocus(GetDlgItem(window, IDC_SHOW_FULL_NUMBERS));
        PumpUntil([] { return false; }, readyMs);
        started = NowMs();
        if (pacedMs == 0) {
            TypeKeys(swipe);
            lastKey = NowMs();
        } else {
            typist = std::thread([this] {
                for (std::size_t i = 0; i < swipe.size(); ++i) {
                    if (i > 0)
                        Sleep(pacedMs);
                    TypeKeys(swipe.substr(i, 1));
                }
                lastKey = NowMs();
            });
        }
        RunSoon([this] { AfterSwipe(); }, kPollMs);
    }

    bool Waiting() const {
        const bool typing = lastKey.load() == 0;
        const bool noVerdict = ItemText(seen.window, IDC_SWIPE_RESULT) == kWaiting;
        return !swipe.empty() && (typing || noVerdict) && NowMs() - started < kLimitMs;
    }

    void AfterSwipe() {
        if (Waiting()) {
            RunSoon([this] { AfterSwipe(); }, kPollMs);
            return;
        }
        const HWND window = seen.window;
        seen.verdictMs = NowMs() - lastKey.load();
        if (typist.joinable())
            typist.join();
        seen.capture = ItemText(window, IDC_SWIPE_CAPTURE);
        seen.result = ItemText(window, IDC_SWIPE_RESULT);
        seen.visibleAfterSwipe = IsWindowVisible(window);
        seen.focusKept = GetFocus() == GetDlgItem(window, IDC_SHOW_FULL_NUMBERS);
        seen.checkBoxLeft = !IsItemChecked(window, IDC_SHOW_FULL_NUMBERS);
        Click(window, IDC_SHOW_FULL_NUMBERS);
        seen.resultInFull = ItemText(window, IDC_SWIPE_RESULT);
        Click(window, IDC_SHOW_FULL_NUMBERS);
        Click(window, IDC_SWIPE_CLEAR);
        seen.captureAfterClear = ItemText(window, IDC_SWIPE_CAPTURE);
        seen.resultAfterClear = ItemText(window, IDC_SWIPE_RESULT);
        PressKey(VK_ESCAPE);
    }
};

}  // namespace

SwipeSeen SwipeThroughWindow(HWND settings, const std::wstring& swipe, DWORD pacedMs,
                             DWORD readyMs) {
    SwipeRun run;
    run.swipe = swipe;
    run.pacedMs = pacedMs;
    run.readyMs = readyMs;
    RunSoon([&run] { run.TypeSwipe(); });
    SendMessageW(settings, WM_SYSCOMMAND, IDM_SWIPE_TEST, 0);
    if (run.typist.joinable())
        run.typist.join();
    return run.seen;
}
