#include "swipe_window.h"

#include "res/resource.h"
#include "ui_helpers.h"

namespace {

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The run in progress: what it types and what it has seen; the window's own modal loop runs
// the steps below, so that its keys go the way the system sends them.
std::wstring g_swipe;
SwipeSeen g_seen;
int g_polls = 0;
double g_sent = 0;
const wchar_t kWaiting[] = L"Waiting for a swipe...";
constexpr UINT kPollMs = 5;
constexpr int kMaxPolls = 600;  // 3 s: the verdict takes a small fraction of that

void CALLBACK AfterSwipe(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND window = g_seen.window;
    if (ItemText(window, IDC_SWIPE_RESULT) == kWaiting && ++g_polls < kMaxPolls)
        return;
    KillTimer(nullptr, id);
    g_seen.verdictMs = NowMs() - g_sent;
    g_seen.capture = ItemText(window, IDC_SWIPE_CAPTURE);
    g_seen.result = ItemText(window, IDC_SWIPE_RESULT);
    g_seen.visibleAfterSwipe = IsWindowVisible(window);
    g_seen.focusKept = GetFocus() == GetDlgItem(window, IDC_SHOW_FULL_NUMBERS);
    g_seen.checkBoxLeft = !IsItemChecked(window, IDC_SHOW_FULL_NUMBERS);
    Click(window, IDC_SHOW_FULL_NUMBERS);
    g_seen.resultInFull = ItemText(window, IDC_SWIPE_RESULT);
    Click(window, IDC_SHOW_FULL_NUMBERS);
    Click(window, IDC_SWIPE_CLEAR);
    g_seen.captureAfterClear = ItemText(window, IDC_SWIPE_CAPTURE);
    g_seen.resultAfterClear = ItemText(window, IDC_SWIPE_RESULT);
    PressKey(VK_ESCAPE);
}

void TypeSwipe() {
    const HWND window = GetActiveWindow();
    if (GetDlgItem(window, IDC_SWIPE_CAPTURE) == nullptr)
        return;  // no swipe window: the menu command returns by itself
    g_seen.window = window;
    g_seen.title = WindowText(window);
    g_seen.clear = ItemText(window, IDC_SWIPE_CLEAR);
    SetForegroundWindow(window);
    SetFocus(GetDlgItem(window, IDC_SHOW_FULL_NUMBERS));
    TypeKeys(g_swipe);
    g_sent = NowMs();
    g_polls = g_swipe.empty() ? kMaxPolls : 0;  // nothing typed: no verdict to wait for
    SetTimer(nullptr, 0, kPollMs, &AfterSwipe);
}

}  // namespace

SwipeSeen SwipeThroughWindow(HWND settings, const std::wstring& swipe) {
    g_swipe = swipe;
    g_seen = SwipeSeen{};
    RunSoon(&TypeSwipe);
    SendMessageW(settings, WM_SYSCOMMAND, IDM_SWIPE_TEST, 0);
    return g_seen;
}
