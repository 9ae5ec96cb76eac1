#include "framework/dialog.h"

#include "framework/resources.h"
#include "framework/window.h"

namespace fw {
namespace {
// Posted on WM_DPICHANGED, so that OnDpiChanged runs after the dialog manager's own work.
constexpr UINT kDpiSettled = WM_APP + 0x3FE;

// Messages whose answer a dialog procedure returns directly instead of through
// DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    if (IsColorRequest(message))
        return true;
    switch (message) {
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}
}  // namespace

Dialog::Dialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

// A modal run is over before its object can go; only a modeless window is left to destroy.
Dialog::~Dialog() {
    Destroy();
}

INT_PTR Dialog::DoModal() {
    INT_PTR result = DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), parent_,
                                     &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result;
}

HWND Dialog::Create() {
    return CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), parent_,
                              &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

void Dialog::Destroy() {
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

BOOL Dialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

bool Dialog::OnCommand(int id, int) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    return self->Dispatch(message, wParam, lParam);
}

void Dialog::TakeSuggestedRect(UINT dpi, const RECT& suggested) {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(hwnd_, kDpiSettled, dpi, 0);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        TakeSuggestedRect(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return FALSE;  // the dialog manager lays the template's controls out for the new DPI
    }
    if (message == kDpiSettled) {
        OnDpiChanged(static_cast<UINT>(wParam));
        return TRUE;
    }
    LRESULT result = 0;
    bool handled = Window::ReflectToChild(message, wParam, lParam, &result);
    if (!handled && message == WM_COMMAND)
        handled = OnCommand(LOWORD(wParam), HIWORD(wParam));
    else if (!handled)
        handled = OnMessage(message, wParam, lParam, &result);
    if (!handled)
        return FALSE;
    if (AnswersDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace fw
