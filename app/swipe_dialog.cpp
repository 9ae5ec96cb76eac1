#include "app/swipe_dialog.h"

#include "res/resource.h"
#include "settings/ui_text.h"
#include "settings/utf8.h"
#include "swipe/dialog_texts.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"

namespace {

using swipe::CardWide;
using swipe::SwipeCapture;

// Waits out the pause that ends a swipe: it looks every so often whether the pause has passed
// since the last key, so that a key costs no timer of its own.
constexpr UINT_PTR kPauseTimer = 1;
constexpr UINT kPauseCheckMs = 10;
// The capture box is brought up to date when the keys waiting are in: the system raises a
// timer only once nothing else is queued, and a reader types faster than the box redraws.
constexpr UINT_PTR kShowTimer = 2;
constexpr UINT kShowMs = 10;

// The state of a box's vertical scroll bar.
SCROLLINFO ScrollState(HWND box) {
    SCROLLINFO state{};
    state.cbSize = sizeof(state);
    state.fMask = SIF_ALL;
    GetScrollInfo(box, SB_VERT, &state);
    return state;
}

bool SameScroll(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

// Replaces a box's text; what it showed is first overwritten with blanks of the same length,
// so that the control's own memory does not keep card data. The box draws only what it ends
// with: it counts as hidden meanwhile, as the system's own handling of WM_SETREDRAW makes a
// window (an edit box keeps that message for itself and draws its scroll bar at each change,
// some 7 ms a time under Wine), and its scroll bar is drawn again only if it changed.
void ReplaceText(HWND box, const CardWide& text) {
    const LONG style = GetWindowLongW(box, GWL_STYLE);
    const SCROLLINFO scroll = ScrollState(box);
    if (style & WS_VISIBLE)
        SetWindowLongW(box, GWL_STYLE, style & ~WS_VISIBLE);
    const int shown = GetWindowTextLengthW(box);
    if (shown > 0)
        SetWindowTextW(box, std::wstring(static_cast<std::size_t>(shown), L' ').c_str());
    SetWindowTextW(box, text.c_str());
    if (style & WS_VISIBLE) {
        SetWindowLongW(box, GWL_STYLE, style);
        const UINT frame = SameScroll(scroll, ScrollState(box)) ? 0 : RDW_FRAME;
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | frame);
    }
}

bool CapsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

}  // namespace

SwipeDialog::SwipeDialog(HWND parent, const settings::Setup& form)
    : fw::Dialog(IDD_SWIPE_TEST, parent), form_(form) {}

SwipeDialog::~SwipeDialog() = default;

BOOL SwipeDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        keyTakers_.push_back(std::make_unique<KeyTaker>(*this));
        keyTakers_.back()->Subclass(child);
    }
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
    SetDlgItemTextW(hwnd(), IDC_SWIPE_CAPTURE_NAME, swipe::CaptureName(english));
    SetDlgItemTextW(hwnd(), IDC_SWIPE_RESULT_NAME, swipe::ResultName(english));
}

// Every key is the dialog's to take, and Escape closes it; the rest of a control's work
// stays its own.
LRESULT SwipeDialog::KeyTaker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE)
        return Default(message, wParam, lParam) | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    if (dialog_.TakeKey(message, wParam))
        return 0;
    return Default(message, wParam, lParam);
}

// Keys become characters of the swipe: the dialog's loop translates a key pressed and hands
// the character it gives here. Escape closes the window; Caps Lock is said while the window
// waits (its light may change with the key).
bool SwipeDialog::TakeKey(UINT message, WPARAM key) {
    switch (message) {
        case WM_KEYDOWN:
            if (key == VK_ESCAPE)
                OnCancel();
            return true;
        case WM_KEYUP:
            if (key == VK_CAPITAL && !finished_ && capture_.Empty())
                ShowResult();
            return true;
        case WM_CHAR:
            if (key != 0x1B)  // Escape's own character
                AddCharacter(static_cast<wchar_t>(key));
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
    // When the key was typed, not when it is taken: keys that wait in the queue behind a
    // burst count from their own time, so the pause ends as the reader's typing did.
    lastKey_ = static_cast<DWORD>(GetMessageTime());
    capture_.Add(character);
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
    if (!finished_) {
        ReplaceText(Item(IDC_SWIPE_RESULT), swipe::WaitingText(english, CapsLockOn()));
        return;
    }
    const swipe::SwipeCheck check = swipe::CheckSwipe(form_, swipe::Utf8Of(capture_.Typed()));
    ReplaceText(Item(IDC_SWIPE_RESULT),
                swipe::ResultText(check, english, swipe::RuleFor(form_, ShowAll())));
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
            keyTakers_.clear();
            capture_.Clear();
            return false;
        default:
            return false;
    }
}
