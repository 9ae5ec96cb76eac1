#include "app/swipe_dialog.h"

#include "framework/wipe.h"
#include "res/resource.h"
#include "settings/ui_text.h"
#include "settings/utf8.h"
#include "swipe/dialog_texts.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"

namespace {

constexpr UINT_PTR kPauseTimer = 1;
// The capture box is brought up to date when the keys waiting are in: the system raises a
// timer only once nothing else is queued, and a reader types faster than the box redraws.
constexpr UINT_PTR kShowTimer = 2;
constexpr UINT kShowMs = 10;

// The dialog that takes the keys of the user interface thread; one at a time.
SwipeDialog* g_capturing = nullptr;

using fw::Wipe;

// Replaces a box's text; what it showed is first overwritten with blanks of the same length,
// so that the control's own memory does not keep card data.
void ReplaceText(HWND box, std::wstring text) {
    const int shown = GetWindowTextLengthW(box);
    if (shown > 0)
        SetWindowTextW(box, std::wstring(static_cast<std::size_t>(shown), L' ').c_str());
    SetWindowTextW(box, text.c_str());
    Wipe(text);
}

int CountReturns(const std::wstring& text) {
    int count = 0;
    for (wchar_t c : text)
        count += c == L'\r';
    return count;
}

}  // namespace

SwipeDialog::SwipeDialog(HWND parent, const settings::Setup& form)
    : fw::Dialog(IDD_SWIPE_TEST, parent), form_(form) {}

SwipeDialog::~SwipeDialog() {
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    if (g_capturing == this)
        g_capturing = nullptr;
    Wipe(typed_);
}

BOOL SwipeDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    ApplyTexts();
    ShowResult();
    g_capturing = this;
    hook_ = SetWindowsHookExW(WH_MSGFILTER, &SwipeDialog::KeyFilter, nullptr, GetCurrentThreadId());
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

// The modal loop offers each message here before the dialog sees it.
LRESULT CALLBACK SwipeDialog::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && g_capturing != nullptr && message != nullptr &&
        (message->hwnd == g_capturing->hwnd() || IsChild(g_capturing->hwnd(), message->hwnd)) &&
        g_capturing->TakeKey(*message))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Keys become characters here rather than in the controls: a key pressed is translated and
// kept from the dialog (Return would press a button, a blank tick the check box), and the
// character it gives joins the swipe. Escape alone goes on, to close the window.
bool SwipeDialog::TakeKey(MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
            if (message.wParam == VK_ESCAPE)
                return false;
            TranslateMessage(&message);
            return true;
        case WM_KEYUP:
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
    typed_ += character;
    SetTimer(hwnd(), kShowTimer, kShowMs, nullptr);
    const int returns = swipe::ReturnsPerSwipe(form_);
    if (returns > 0 && character == L'\r' && CountReturns(typed_) >= returns) {
        Finish();
        return;
    }
    SetTimer(hwnd(), kPauseTimer, kPauseMs, nullptr);
}

void SwipeDialog::Finish() {
    KillTimer(hwnd(), kPauseTimer);
    if (typed_.empty())
        return;
    finished_ = true;
    ShowCapture();
    ShowResult();
}

void SwipeDialog::Clear() {
    KillTimer(hwnd(), kPauseTimer);
    Wipe(typed_);
    finished_ = false;
    ShowCapture();
    ShowResult();
}

bool SwipeDialog::ShowAll() const {
    return IsDlgButtonChecked(hwnd(), IDC_SHOW_FULL_NUMBERS) == BST_CHECKED;
}

void SwipeDialog::ShowCapture() {
    KillTimer(hwnd(), kShowTimer);
    std::string utf8 = settings::Utf8(typed_);
    ReplaceText(Item(IDC_SWIPE_CAPTURE), swipe::CaptureText(utf8, ShowAll()));
    Wipe(utf8);
}

// The verdict once the swipe is complete; until then what the window is waiting for.
void SwipeDialog::ShowResult() {
    const bool english = InEnglish();
    if (!finished_) {
        ReplaceText(Item(IDC_SWIPE_RESULT), swipe::WaitingText(english));
        return;
    }
    std::string utf8 = settings::Utf8(typed_);
    const swipe::SwipeCheck check = swipe::CheckSwipe(form_, utf8);
    Wipe(utf8);
    std::wstring text;
    for (std::wstring line : swipe::ResultLines(check, english, ShowAll())) {
        text += (text.empty() ? L"" : L"\r\n") + line;
        Wipe(line);
    }
    ReplaceText(Item(IDC_SWIPE_RESULT), std::move(text));
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
            if (wParam == kPauseTimer)
                Finish();
            else if (wParam == kShowTimer)
                ShowCapture();
            else
                return false;
            *result = 0;
            return true;
        case WM_DESTROY:
            KillTimer(hwnd(), kPauseTimer);
            KillTimer(hwnd(), kShowTimer);
            if (hook_ != nullptr)
                UnhookWindowsHookEx(hook_);
            hook_ = nullptr;
            g_capturing = nullptr;
            return false;
        default:
            return false;
    }
}
