// A C++ object attached to an existing window by subclassing it.
//
// The object receives every message of its window through WindowProc and passes what it
// does not handle on with Default (the window's original procedure). A parent that routes
// through ReflectToChild gives the child's object the first say on the child's own
// notifications (WM_COMMAND, WM_CTLCOLOR*, and WM_DRAWITEM for controls): the object gets
// them in OnReflected and answers whether the parent should still see them. Menu items
// (WM_MEASUREITEM, WM_DRAWITEM of ODT_MENU) are not reflected: they go to the window that
// owns the menu, and a control that opens a popup handles them in its own WindowProc.
//
// The object never owns its window: destroying it detaches it, and the window lives on.
#pragma once

#include <windows.h>

namespace fw {

// WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC: a control asks its parent for its colours.
inline bool IsColorRequest(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    // Attaches this object to the child `id` of `parent`; false if there is no such child
    // or it is attached already.
    bool SubclassDlgItem(int id, HWND parent);
    bool Subclass(HWND hwnd);
    // Detaches the object. The original procedure comes back only while the window still
    // has ours; a procedure installed over ours later keeps its place and reaches the
    // original one through us.
    void Unsubclass();

    // The object attached to hwnd, or null.
    static Window* FromHandle(HWND hwnd);

    // Offers a parent's message to the child it concerns. Returns true when the child
    // handled it completely; `result` is then the answer to give.
    static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    // Runs before the window procedure is replaced, as the window is attached.
    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Reflected notification; return true to keep it from the parent.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace fw
