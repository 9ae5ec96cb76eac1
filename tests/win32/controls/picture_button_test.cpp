// The picture button's binding, setters, state rules and messages, on real buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include "button_fixture.h"
#include "ui_helpers.h"

namespace {

constexpr int kFirst = 501;
constexpr int kSecond = 502;

class PictureButtonTest : public testing::Test {
protected:
    void SetUp() override { PumpMessages(); }
    void TearDown() override { PumpMessages(); }

    HWND Bind(ProbeButton& button, DWORD style, int id = kFirst) {
        HWND hwnd = parent.AddButton(id, style | WS_TABSTOP, 20 + (id - kFirst) * 100, 20, 80, 30);
        EXPECT_TRUE(button.Subclass(hwnd));
        return hwnd;
    }
    LRESULT DialogCode(HWND hwnd) { return SendMessageW(hwnd, WM_GETDLGCODE, 0, 0); }
    void MoveMouse(HWND hwnd, int x, int y, WPARAM keys = 0) {
        POINT screen{x, y};
        ClientToScreen(hwnd, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
    }

    TestParent parent;
};

TEST_F(PictureButtonTest, BindingMakesTheButtonOwnerDrawnAndKeepsItsKind) {
    ProbeButton plain, byDefault, check;
    HWND plainHwnd = Bind(plain, BS_PUSHBUTTON);
    HWND defaultHwnd = Bind(byDefault, BS_DEFPUSHBUTTON, kSecond);
    HWND checkHwnd = Bind(check, BS_AUTOCHECKBOX, kSecond + 1);
    for (HWND hwnd : {plainHwnd, defaultHwnd, checkHwnd})
        EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);

    EXPECT_FALSE(plain.isDefault);
    EXPECT_FALSE(plain.checkBoxMode);
    EXPECT_TRUE(byDefault.isDefault);
    EXPECT_TRUE(check.checkBoxMode);
    EXPECT_EQ(DialogCode(plainHwnd) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON),
              DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(DialogCode(defaultHwnd) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON),
              DLGC_DEFPUSHBUTTON);
}

TEST_F(PictureButtonTest, SetStyleMovesTheDefaultFlagButKeepsOwnerDraw) {
    ProbeButton button;
    HWND hwnd = Bind(button, BS_DEFPUSHBUTTON);
    SendMessageW(hwnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(button.isDefault);
    EXPECT_EQ(DialogCode(hwnd) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);

    SendMessageW(hwnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(button.isDefault);
    EXPECT_EQ(DialogCode(hwnd) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);

    SendMessageW(hwnd, BM_SETSTYLE, BS_GROUPBOX, TRUE);  // other kinds leave the flag
    EXPECT_TRUE(button.isDefault);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);
}

TEST_F(PictureButtonTest, CheckBoxModeTogglesOnClickAndAnswersCheckMessages) {
    ProbeButton button;
    HWND hwnd = Bind(button, BS_AUTOCHECKBOX);
    Click(parent.hwnd(), kFirst);
    EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), 1);
    Click(parent.hwnd(), kFirst);
    EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(TestParent::clicks, 2);  // the parent hears of every click too

    SendMessageW(hwnd, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), 1);
    SendMessageW(hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(button.GetCheckState(), 0);
    button.SetCheckState(5, false);
    EXPECT_EQ(button.GetCheckState(), 1);

    ProbeButton plain;  // a push button has no check state
    HWND plainHwnd = Bind(plain, BS_PUSHBUTTON, kSecond);
    SendMessageW(plainHwnd, BM_SETCHECK, BST_CHECKED, 0);
    Click(parent.hwnd(), kSecond);
    EXPECT_EQ(SendMessageW(plainHwnd, BM_GETCHECK, 0, 0), 0);
}

TEST_F(PictureButtonTest, DoubleClickActsAsASecondPress) {
    ProbeButton button;
    HWND hwnd = Bind(button, BS_PUSHBUTTON);
    const LPARAM at = MAKELPARAM(5, 5);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
    SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(TestParent::clicks, 2);
}

TEST_F(PictureButtonTest, ImagesOfOneKindReplaceTheOther) {
    ProbeButton button;
    Bind(button, BS_PUSHBUTTON);
    ASSERT_EQ(button.SetIcons(MakeTestIcon(8, RGB(200, 0, 0)), MakeTestIcon(8, RGB(0, 200, 0))),
              ButtonOk);
    EXPECT_TRUE(button.icons[0].icon && button.icons[1].icon);
    EXPECT_EQ(button.icons[0].width, 8);
    EXPECT_EQ(button.icons[0].height, 8);

    ASSERT_EQ(button.SetBitmaps(MakeTestBitmap(6, 4, RGB(0, 0, 200)), RGB(255, 0, 255), nullptr, 0),
              ButtonOk);
    EXPECT_FALSE(button.icons[0].icon || button.icons[1].icon);
    EXPECT_TRUE(button.bitmaps[0].bitmap && button.bitmaps[0].mask);
    EXPECT_FALSE(button.bitmaps[1].bitmap);
    EXPECT_EQ(button.bitmaps[0].width, 6);
    EXPECT_EQ(button.bitmaps[0].height, 4);

    ASSERT_EQ(button.SetIcons(MakeTestIcon(8, RGB(200, 0, 0)), nullptr), ButtonOk);
    EXPECT_TRUE(button.icons[0].icon);
    EXPECT_FALSE(button.bitmaps[0].bitmap || button.bitmaps[0].mask);
}

TEST_F(PictureButtonTest, BadImagesLeaveNoImages) {
    ProbeButton button;
    Bind(button, BS_PUSHBUTTON);
    button.SetIcons(MakeTestIcon(8, RGB(200, 0, 0)), nullptr);
    const HBITMAP notABitmap = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(button.SetBitmaps(notABitmap, 0, nullptr, 0), ButtonBadImage);
    EXPECT_FALSE(button.icons[0].icon || button.bitmaps[0].bitmap);
    button.bitmaps[0].bitmap.release();  // the made-up handle must not be deleted

    const HICON notAnIcon = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(button.SetIcons(MakeTestIcon(8, RGB(1, 2, 3)), notAnIcon), ButtonBadImage);
    EXPECT_FALSE(button.icons[0].icon || button.icons[1].icon);
}

TEST_F(PictureButtonTest, GreyIdleIconKeepsBlackAndGreysTheRest) {
    ProbeButton button;
    Bind(button, BS_PUSHBUTTON);
    ASSERT_EQ(
        button.SetIcons(MakeTestIcon(8, RGB(200, 100, 50)), PictureButton::AutoGreyIconHandle()),
        ButtonOk);
    ASSERT_TRUE(button.icons[1].icon);
    Canvas canvas(8, 8, RGB(9, 9, 9));
    DrawIconEx(canvas.dc(), 0, 0, button.icons[1].icon.get(), 8, 8, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 0, 0));
    const BYTE level = GreyLevel(RGB(200, 100, 50));
    EXPECT_EQ(canvas.Pixel(4, 4), RGB(level, level, level));
}

TEST_F(PictureButtonTest, IconsAndBitmapsFromResources) {
    ProbeButton button;
    Bind(button, BS_PUSHBUTTON);
    ASSERT_EQ(button.SetIcons(131, AutoGreyIcon), ButtonOk);
    // The width and height come from the hot spot, the icon's centre: 21 / 2 * 2.
    EXPECT_EQ(button.icons[0].width, 20);
    EXPECT_EQ(button.icons[0].height, 14);
    EXPECT_TRUE(button.icons[1].icon);
    ASSERT_EQ(button.SetBitmaps(133, RGB(255, 255, 255), 0, 0), ButtonOk);
    EXPECT_EQ(button.bitmaps[0].width, 85);
    EXPECT_EQ(button.bitmaps[0].height, 21);
    EXPECT_EQ(button.SetIcons(999, 0), ButtonOk);  // a missing icon is no icon
    EXPECT_FALSE(button.icons[0].icon);
}

TEST_F(PictureButtonTest, ColourSettersReportBadArgumentsAndSurviveSysColorChange) {
    ProbeButton button;
    HWND hwnd = Bind(button, BS_PUSHBUTTON);
    EXPECT_EQ(button.ShiftColor(6, 10, true), ButtonBadColorIndex);
    EXPECT_EQ(button.ShiftColor(0, 256, true), ButtonBadShade);
    button.colors.Set(IdleFace, RGB(100, 200, 50));
    EXPECT_EQ(button.ShiftColor(IdleFace, -255, true), ButtonOk);
    EXPECT_EQ(button.Color(IdleFace), RGB(50, 150, 0));
    SendMessageW(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(button.Color(IdleFace), RGB(50, 150, 0));
}

TEST_F(PictureButtonTest, HoverStartsOnMoveAndEndsOnLeavingOrLosingTheWindow) {
    ProbeButton button;
    HWND hwnd = Bind(button, BS_PUSHBUTTON);
    MoveMouse(hwnd, 10, 10, MK_LBUTTON);  // entering with the button held
    EXPECT_FALSE(button.hovering);
    MoveMouse(hwnd, 10, 10);
    EXPECT_TRUE(button.hovering);
    MoveMouse(hwnd, 10, 12, MK_LBUTTON);  // once hovering, the held button does not matter
    EXPECT_TRUE(button.hovering);
    MoveMouse(hwnd, -10, -10);  // over the parent
    EXPECT_FALSE(button.hovering);

    MoveMouse(hwnd, 10, 10);
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.hovering);
    MoveMouse(hwnd, 10, 10);
    SendMessageW(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(button.hovering);
    MoveMouse(hwnd, 10, 10);
    SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(button.hovering);
    MoveMouse(hwnd, 10, 10);
    SendMessageW(hwnd, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(button.hovering);
    MoveMouse(hwnd, 10, 10);
    EnableWindow(hwnd, FALSE);
    EXPECT_FALSE(button.hovering);
    EnableWindow(hwnd, TRUE);
    button.SetFlat(false);  // a button that is not flat never hovers
    MoveMouse(hwnd, 10, 10);
    EXPECT_FALSE(button.hovering);
}

TEST_F(PictureButtonTest, DisablingTheFocusedButtonMovesTheFocusOn) {
    ProbeButton first, second;
    HWND firstHwnd = Bind(first, BS_PUSHBUTTON);
    HWND secondHwnd = Bind(second, BS_PUSHBUTTON, kSecond);
    SetFocus(firstHwnd);
    ASSERT_EQ(GetFocus(), firstHwnd);
    EnableWindow(firstHwnd, FALSE);
    EXPECT_EQ(GetFocus(), secondHwnd);
    EnableWindow(firstHwnd, TRUE);
    EnableWindow(firstHwnd, FALSE);  // not focused: the focus stays where it is
    EXPECT_EQ(GetFocus(), secondHwnd);
    EnableWindow(firstHwnd, TRUE);
    Click(parent.hwnd(), kFirst);  // a click takes the focus
    EXPECT_EQ(GetFocus(), firstHwnd);
    EXPECT_EQ(TestParent::clicks, 1);
}

}  // namespace
