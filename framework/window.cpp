#include "framework/window.h"

namespace fw {
namespace {
const wchar_t kObjectProperty[] = L"fw.window";
const wchar_t kOriginalProperty[] = L"fw.original";

// The child window a parent's notification is about, or null.
HWND NotifyingChild(UINT message, LPARAM lParam) {
    if (message == WM_COMMAND || IsColorRequest(message))
        return reinterpret_cast<HWND>(lParam);
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    return nullptr;
}
}  // namespace

Window::~Window() {
    Unsubclass();
}

bool Window::SubclassDlgItem(int id, HWND parent) {
    HWND child = GetDlgItem(parent, id);
    return child != nullptr && Subclass(child);
}

bool Window::Subclass(HWND hwnd) {
    if (hwnd_ != nullptr || hwnd == nullptr || FromHandle(hwnd) != nullptr)
        return false;
    hwnd_ = hwnd;
    PreSubclassWindow();
    SetPropW(hwnd, kObjectProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure)));
    SetPropW(hwnd, kOriginalProperty, reinterpret_cast<HANDLE>(original_));
    return true;
}

void Window::Unsubclass() {
    if (hwnd_ == nullptr)
        return;
    if (IsWindow(hwnd_)) {
        RemovePropW(hwnd_, kObjectProperty);
        const auto ours = reinterpret_cast<LONG_PTR>(&Window::Procedure);
        if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == ours) {
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
            RemovePropW(hwnd_, kOriginalProperty);
        }
    }
    hwnd_ = nullptr;
    original_ = nullptr;
}

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool Window::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    Window* child = FromHandle(NotifyingChild(message, lParam));
    return child != nullptr && child->OnReflected(message, wParam, lParam, result);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(original_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = FromHandle(hwnd);
    if (self == nullptr) {
        // Detached while another procedure sits over ours: pass everything on.
        const auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProperty));
        if (message == WM_NCDESTROY)
            RemovePropW(hwnd, kOriginalProperty);
        return original ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                        : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        self->Unsubclass();
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    return self->WindowProc(message, wParam, lParam);
}

}  // namespace fw
