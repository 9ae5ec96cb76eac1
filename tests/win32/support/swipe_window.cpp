#include "swipe_window.h"

#include "bench_clock.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

const wchar_t kWaiting[] = L"Waiting for a swipe...";
constexpr UINT kPollMs = 5;
constexpr int kMaxPolls = 600;  // 3 s: the verdict takes a small fraction of that

// One run: what it types and what it has seen. The window's own modal loop runs its steps,
// so that its keys go the way the system sends them.
struct SwipeRun {
    std::wstring swipe;
    SwipeSeen seen;
    int polls = 0;
    double sent = 0;

    void TypeSwipe() {
        const HWND window = GetActiveWindow();
        if (GetDlgItem(window, IDC_SWIPE_CAPTURE) == nullptr)
            return;  // no swipe window: the menu command returns by itself
        seen.window = window;
        seen.title = WindowText(window);
        seen.clear = ItemText(window, IDC_SWIPE_CLEAR);
        SetForegroundWindow(window);
        SetFocus(GetDlgItem(window, IDC_SHOW_FULL_NUMBERS));
        TypeKeys(swipe);
        sent = NowMs();
        polls = swipe.empty() ? kMaxPolls : 0;  // nothing typed: no verdict to wait for
        RunSoon([this] { AfterSwipe(); }, kPollMs);
    }

    void AfterSwipe() {
        const HWND window = seen.window;
        if (ItemText(window, IDC_SWIPE_RESULT) == kWaiting && ++polls < kMaxPolls) {
            RunSoon([this] { AfterSwipe(); }, kPollMs);
            return;
        }
        seen.verdictMs = NowMs() - sent;
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

SwipeSeen SwipeThroughWindow(HWND settings, const std::wstring& swipe) {
    SwipeRun run;
    run.swipe = swipe;
    RunSoon([&run] { run.TypeSwipe(); });
    SendMessageW(settings, WM_SYSCOMMAND, IDM_SWIPE_TEST, 0);
    return run.seen;
}
