// The settings window run modally, as the program runs it: keys end it.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/settings_dialog.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

void PressEnterInASentinelEdit() {
    HWND dialog = GetActiveWindow();
    HWND edit = GetDlgItem(dialog, IDC_TRACK2_START);
    SetFocus(edit);
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

void PressEscape() {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void CloseWindow() {
    PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0);
}

TEST(SettingsWindowModal, EnterInAnEditEndsWithOk) {
    SettingsDialog dialog;
    RunSoon(&PressEnterInASentinelEdit);
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(SettingsWindowModal, EscapeAndCloseEndWithCancel) {
    {
        SettingsDialog dialog;
        RunSoon(&PressEscape);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    {
        SettingsDialog dialog;
        RunSoon(&CloseWindow);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

}  // namespace
