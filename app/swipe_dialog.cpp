#include "app/swipe_dialog.h"

#include "res/resource.h"
#include "settings/system_reason.h"
#include "settings/ui_text.h"
#include "settings/utf8.h"
#include "swipe/dialog_texts.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"

namespace {

using swipe::CardWide;
using swipe::SwipeCapture;

// Waits out the pause that ends a swipe without a carriage return: it looks every so often
// whether the pause has passed since the last key, so that a key costs no timer of its own.
constexpr UINT_PTR kPauseTimer = 1;
constexpr UINT kPauseCheckMs = 50;
// The capture box is brought up to date when the keys waiting are in: the system raises a
// timer only once nothing else is queued, and a reader types faster than the box redraws.
constexpr UINT_PTR kShowTimer = 2;
constexpr UINT kShowMs = 10;

// The dialog that takes the keys of the user interface thread; one at a time.
SwipeDialog* g_capturing = nullptr;

// Replaces a box's text; what it showed is first overwritten with blanks of the same length,
// so that the control's own memory does not keep card data.
void ReplaceText(HWND box, const CardWide& text) {
    const int shown = GetWindowTextLengthW(box);
    if (shown > 0)
        SetWindowTextW(box, std::wstring(static_cast<std::size_t>(shown), L' ').c_str());
    SetWindowTextW(box, text.c_str());
}

bool CapsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

}  // namespace

SwipeDialog::SwipeDialog(HWND parent, const settings::Setup& form)
    : fw::Dialog(IDD_SWIPE_TEST, parent), form_(form), capture_(form) {}

SwipeDialog::~SwipeDialog() {
    if (g_capturing == this)
        g_capturing = nullptr;
}

BOOL SwipeDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    g_capturing = this;
    hook_.reset(
        SetWindowsHookExW(WH_MSGFILTER, &SwipeDialog::KeyFilter, nullptr, GetCurrentThreadId()));
    if (!hook_)
        noKeys_ = settings::Wide(settings::SystemReason(GetLastError()));
    ApplyTexts();
    ShowResult();
    return TRUE;
}

void SwipeDialog::ApplyTexts() {
    const bool english = InEnglish();
    SetWindowTextW(hwnd(), swipe::SwipeTestTitle(english));
    SetDlgItemTextW(hwnd(), IDC_SWIPE_FORM, swipe::FormNote(form_, english).c_str());
    SetDlgItemTextW(hwnd(), IDC_SHOW_FULL_NUMBERS, swipe::ShowFullNumbersText(english));
    SetDlgItemTextW(hwnd(), IDC_SWIPE_CLEAR, swipe::ClearText(english));
    SetDlgItemTextW(hwnd(), IDCANCEL, swipe::CloseText(english));
}

// The dialog's modal loop offers each message here before the dialog sees it; other loops
// (the system menu's, a box's) keep theirs.
LRESULT CALLBACK SwipeDialog::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && g_capturing != nullptr && message != nullptr &&
        (message->hwnd == g_capturing->hwnd() || IsChild(g_capturing->hwnd(), message->hwnd)) &&
        g_capturing->TakeKey(*message))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Keys become characters here rather than in the controls: a key pressed is translated and
// kept from the dialog (Return would press a button, a blank tick the check box), and the
// character it gives joins the swipe. Escape alone goes on, to close the window, and so do
// keys with Alt, which belong to the system menu.
bool SwipeDialog::TakeKey(MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
            if (message.wParam == VK_ESCAPE)
                return false;
            TranslateMessage(&message);
            return true;
        case WM_KEYUP:
            if (message.wParam == VK_CAPITAL && !finished_ && capture_.Empty())
                ShowResult();  // the warning comes and goes with the key's light
            return message.wParam != VK_ESCAPE;
        case WM_CHAR:
            AddCharacter(static_cast<wchar_t>(message.wParam));
            return true;
        case WM_DEADCHAR:
            return true;
        default:
            return false;
    }
}

void SwipeDialog::AddCharacter(wchar_t character) {
    if (finished_)
        Clear();  // the next key starts a new swipe
    lastKey_ = GetTickCount();
    const SwipeCapture::Step step = capture_.Add(character);
    if (step == SwipeCapture::Step::Complete) {
        Finish();
        return;
    }
    if (step == SwipeCapture::Step::Nothing) {
        Clear();
        return;
    }
    if (!showTimer_)
        showTimer_ = SetTimer(hwnd(), kShowTimer, kShowMs, nullptr) != 0;
    if (!pauseTimer_)
        pauseTimer_ = SetTimer(hwnd(), kPauseTimer, kPauseCheckMs, nullptr) != 0;
}

void SwipeDialog::OnTimer(UINT_PTR timer) {
    if (timer == kShowTimer) {
        ShowCapture();
        return;
    }
    if (GetTickCount() - lastKey_ < SwipeCapture::kPauseMs)
        return;
    KillTimer(hwnd(), kPauseTimer);
    pauseTimer_ = false;
    if (capture_.Pause() == SwipeCapture::Step::Complete)
        Finish();
    else
        Clear();
}

void SwipeDialog::Finish() {
    KillTimer(hwnd(), kPauseTimer);
    pauseTimer_ = false;
    finished_ = true;
    ShowCapture();
    ShowResult();
}

void SwipeDialog::Clear() {
    KillTimer(hwnd(), kPauseTimer);
    pauseTimer_ = false;
    capture_.Clear();
    finished_ = false;
    ShowCapture();
    ShowResult();
}

bool SwipeDialog::ShowAll() const {
    return IsDlgButtonChecked(hwnd(), IDC_SHOW_FULL_NUMBERS) == BST_CHECKED;
}

void SwipeDialog::ShowCapture() {
    KillTimer(hwnd(), kShowTimer);
    showTimer_ = false;
    ReplaceText(Item(IDC_SWIPE_CAPTURE),
                swipe::CaptureText(form_, swipe::Utf8Of(capture_.Typed()), finished_,
                                   swipe::RuleFor(form_, ShowAll())));
}

// The verdict once the swipe is complete; until then what the window is waiting for.
void SwipeDialog::ShowResult() {
    const bool english = InEnglish();
    if (!noKeys_.empty()) {
        ReplaceText(Item(IDC_SWIPE_RESULT), swipe::NoKeysText(english, noKeys_));
        return;
    }
    if (!finished_) {
        ReplaceText(Item(IDC_SWIPE_RESULT), swipe::WaitingText(english, CapsLockOn()));
        return;
    }
    const swipe::CardText typed = swipe::Utf8Of(capture_.Typed());
    const swipe::SwipeCheck check = swipe::CheckSwipe(form_, typed);
    CardWide text;
    for (const CardWide& line :
         swipe::ResultLines(check, english, swipe::RuleFor(form_, ShowAll())))
        text += (text.empty() ? L"" : L"\r\n") + line;
    ReplaceText(Item(IDC_SWIPE_RESULT), text);
}

bool SwipeDialog::OnCommand(int id, int code) {
    switch (id) {
        case IDC_SWIPE_CLEAR:
            Clear();
            return true;
        case IDC_SHOW_FULL_NUMBERS:
            if (code == BN_CLICKED) {
                ShowCapture();
                ShowResult();
            }
            return true;
        default:
            return fw::Dialog::OnCommand(id, code);
    }
}

void SwipeDialog::OnCancel() {
    Clear();
    EndDialog(IDCANCEL);
}

bool SwipeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    switch (message) {
        case WM_TIMER:
            if (wParam != kPauseTimer && wParam != kShowTimer)
                return false;
            OnTimer(wParam);
            *result = 0;
            return true;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !finished_ && capture_.Empty())
                ShowResult();  // Caps Lock may have changed elsewhere
            return false;
        case WM_DESTROY:
            KillTimer(hwnd(), kPauseTimer);
            KillTimer(hwnd(), kShowTimer);
            hook_.reset();
            g_capturing = nullptr;
            capture_.Clear();
            return false;
        default:
            return false;
    }
}
