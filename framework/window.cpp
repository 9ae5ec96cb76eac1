#include "framework/window.h"

#include <mutex>
#include <unordered_map>

namespace fw {
namespace {
// Which object each attached window has, and the original procedure of each window whose
// object left while another procedure sat over ours, kept by the program itself: every
// message of such a window needs them, and a window property is asked of the window server
// at each look-up (some 45 microseconds under Wine, several times a key).
class AttachedWindows {
public:
    Window* Find(HWND hwnd) {
        const std::lock_guard<std::mutex> hold(lock_);
        const auto found = objects_.find(hwnd);
        return found != objects_.end() ? found->second : nullptr;
    }
    void Add(HWND hwnd, Window* object) {
        const std::lock_guard<std::mutex> hold(lock_);
        objects_[hwnd] = object;
    }
    // The object leaves; `original` goes on being called through ours unless it is null.
    void Remove(HWND hwnd, WNDPROC original) {
        const std::lock_guard<std::mutex> hold(lock_);
        objects_.erase(hwnd);
        if (original != nullptr)
            originals_[hwnd] = original;
    }
    WNDPROC OriginalOf(HWND hwnd) {
        const std::lock_guard<std::mutex> hold(lock_);
        const auto found = originals_.find(hwnd);
        return found != originals_.end() ? found->second : nullptr;
    }
    void Forget(HWND hwnd) {
        const std::lock_guard<std::mutex> hold(lock_);
        originals_.erase(hwnd);
    }

private:
    std::mutex lock_;
    std::unordered_map<HWND, Window*> objects_;
    std::unordered_map<HWND, WNDPROC> originals_;
};

AttachedWindows& Attached() {
    static AttachedWindows attached;
    return attached;
}

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
    Attached().Add(hwnd, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure)));
    return true;
}

void Window::Unsubclass() {
    if (hwnd_ == nullptr)
        return;
    WNDPROC stillCalled = nullptr;
    if (IsWindow(hwnd_)) {
        const auto ours = reinterpret_cast<LONG_PTR>(&Window::Procedure);
        if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == ours)
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        else
            stillCalled = original_;
    }
    Attached().Remove(hwnd_, stillCalled);
    hwnd_ = nullptr;
    original_ = nullptr;
}

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? Attached().Find(hwnd) : nullptr;
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
        const WNDPROC original = Attached().OriginalOf(hwnd);
        if (message == WM_NCDESTROY)
            Attached().Forget(hwnd);
        return original ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                        : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        self->Unsubclass();
        Attached().Forget(hwnd);  // the window ends: nothing more comes through ours
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    return self->WindowProc(message, wParam, lParam);
}

}  // namespace fw
