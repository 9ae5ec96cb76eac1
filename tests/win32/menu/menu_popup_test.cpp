// A real popup of the class: dropped down by a picture button, drawn in each look, chosen
// by its mnemonic. Leaves a picture of each look under the build folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/picture_button.h"
#include "menu/kel_menu.h"
#include "menu/menu_colors.h"
#include "menu_fixture.h"
#include "menu_test_ids.h"
#include "ui_helpers.h"

namespace {

constexpr int kButton = 601;

// What the steps that run inside the menu's own loop saw.
struct OpenPopup {
    HWND window = nullptr;
    RECT rect{};
    std::unique_ptr<Canvas> picture;
    const wchar_t* file = nullptr;
};
OpenPopup g_open;

// Second step: the first item is selected now; take the picture, then type "x".
void CaptureAndChoose() {
    HWND popup = g_open.window;
    UpdateWindow(popup);
    const int width = g_open.rect.right - g_open.rect.left;
    const int height = g_open.rect.bottom - g_open.rect.top;
    g_open.picture = std::make_unique<Canvas>(width, height);
    HDC window = GetWindowDC(popup);  // the window's own pixels, frame included
    BitBlt(g_open.picture->dc(), 0, 0, width, height, window, 0, 0, SRCCOPY);
    ReleaseDC(popup, window);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    g_open.picture->Save(g_open.file);
    PostMessageW(popup, WM_CHAR, L'x', 0);
}

// First step: find the open popup and move the selection to its first item.
void FindAndSelect() {
    g_open.window = FindWindowW(L"#32768", nullptr);
    if (g_open.window == nullptr || !IsWindowVisible(g_open.window))
        return;  // the menu ends with the test's failure below
    GetWindowRect(g_open.window, &g_open.rect);
    PostMessageW(g_open.window, WM_KEYDOWN, VK_DOWN, 0);
    RunSoon(CaptureAndChoose);
}

class PopupTest : public testing::TestWithParam<int> {};

TEST_P(PopupTest, DropsDownBelowTheButtonAndPostsTheChosenCommand) {
    const bool flat = GetParam() == kWindowsXp;
    LookScope look(GetParam(), false);
    g_open = OpenPopup();
    g_open.file = flat ? L"..\\screenshots\\menu-flat.bmp" : L"..\\screenshots\\menu-classic.bmp";
    // Pictures for two of the items.
    KelMenu images;
    images.Attach(CreatePopupMenu());
    images.AppendItem(L"", MF_STRING, IDC_OPEN, IDB_TEST_STRIP);
    images.AppendItem(L"", MF_STRING, IDC_EXIT, IDB_TEST_STRIP);

    TestParent parent;
    PictureButton button;
    HWND hwnd = parent.AddButton(kButton, BS_PUSHBUTTON, 20, 20, 80, 30, L"Menu");
    ASSERT_TRUE(button.Subclass(hwnd));
    ASSERT_TRUE(button.SetPopupMenu(IDM_TEST_MENU, parent.hwnd()));
    RECT buttonRect;
    GetWindowRect(hwnd, &buttonRect);

    RunSoon(FindAndSelect);
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    PumpMessages();

    ASSERT_NE(g_open.window, nullptr);
    EXPECT_EQ(g_open.rect.left, buttonRect.left);
    EXPECT_EQ(g_open.rect.top, buttonRect.bottom);
    EXPECT_EQ(TestParent::lastCommand, WPARAM{IDC_EXIT});
    ASSERT_TRUE(g_open.picture);
    // The selected item shows the look's highlight.
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF selection =
        flat ? static_cast<COLORREF>(BlendTowardWhite(highlight, 0.7)) : highlight;
    EXPECT_GT(g_open.picture->Count(selection), 200);
}

INSTANTIATE_TEST_SUITE_P(BothLooks, PopupTest, testing::Values(kWindowsXp, kWindows2000));

}  // namespace
