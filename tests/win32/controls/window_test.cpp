// Subclassing: an object that leaves while another procedure sits over its own leaves the
// window working, through the procedure it had, until the window ends.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/window.h"

namespace {

// Counts the texts that reach it and passes everything on.
struct Counting : fw::Window {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT)
            ++texts;
        return Default(message, wParam, lParam);
    }
    int texts = 0;
};

// Another program's procedure, put over the object's.
WNDPROC g_under = nullptr;
int g_textsAbove = 0;
LRESULT CALLBACK Above(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT)
        ++g_textsAbove;
    return CallWindowProcW(g_under, hwnd, message, wParam, lParam);
}

TEST(WindowObject, LeavingFromUnderAnotherProcedureKeepsTheWindowWorking) {
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                      nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    {
        Counting object;
        ASSERT_TRUE(object.Subclass(edit));
        EXPECT_EQ(fw::Window::FromHandle(edit), &object);
        g_under = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Above)));
        SetWindowTextW(edit, L"one");
        EXPECT_EQ(object.texts, 1);
    }
    EXPECT_EQ(fw::Window::FromHandle(edit), nullptr);
    SetWindowTextW(edit, L"two");
    EXPECT_EQ(g_textsAbove, 2);
    // The edit control's own procedure still answers what only it knows.
    SendMessageW(edit, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_TRUE(DestroyWindow(edit));
}

}  // namespace
