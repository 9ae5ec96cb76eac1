// Painting of picture buttons, checked pixel by pixel in a canvas of the button's size.
#include <windows.h>

#include <gtest/gtest.h>

#include "button_fixture.h"
#include "ui_helpers.h"

namespace {

constexpr int kId = 601;
constexpr int kWidth = 40;
constexpr int kHeight = 30;
constexpr COLORREF kFace = RGB(200, 180, 160);
constexpr COLORREF kActive = RGB(210, 190, 170);

class PaintTest : public testing::Test {
protected:
    void SetUp() override { PumpMessages(); }
    void TearDown() override { PumpMessages(); }

    template <typename Button>
    HWND Bind(Button& button, const wchar_t* text = L"", DWORD style = BS_PUSHBUTTON) {
        HWND hwnd = parent.AddButton(kId, style, 20, 20, kWidth, kHeight, text);
        EXPECT_TRUE(button.Subclass(hwnd));
        for (int slot : {IdleFace, FocusFace})
            button.colors.Set(slot, kFace);
        button.colors.Set(ActiveFace, kActive);
        return hwnd;
    }
    // The top-left corner of the pixels of `color`.
    static POINT Corner(const Canvas& canvas, COLORREF color) {
        RECT box;
        EXPECT_GT(canvas.Count(color, &box), 0);
        return {box.left, box.top};
    }

    TestParent parent;
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
};

TEST_F(PaintTest, FlatButtonAtRestPaintsOnlyItsFaceEvenWhenFocused) {
    ProbeButton button;
    Bind(button);
    Canvas canvas(kWidth, kHeight);
    Render(button, canvas, ODS_FOCUS);
    EXPECT_EQ(canvas.Count(kFace), kWidth * kHeight);
}

TEST_F(PaintTest, FlatButtonHoveredIsRaisedAndPressedIsSunkenWithTheImageMoved) {
    ProbeButton button;
    Bind(button);
    const COLORREF red = RGB(220, 0, 0);
    button.SetIcons(MakeTestIcon(8, red), nullptr);

    Canvas rest(kWidth, kHeight);
    Render(button, rest, 0);
    const POINT atRest = Corner(rest, red);
    EXPECT_EQ(rest.Pixel(0, kHeight / 2), kFace);

    button.hovering = TRUE;
    Canvas hovered(kWidth, kHeight);
    Render(button, hovered, 0);
    EXPECT_EQ(hovered.Pixel(0, kHeight / 2), highlight);
    EXPECT_EQ(hovered.Pixel(kWidth / 2, 0), highlight);
    EXPECT_EQ(hovered.Pixel(kWidth - 1, kHeight / 2), shadow);
    EXPECT_EQ(hovered.Pixel(kWidth / 2, kHeight - 1), shadow);
    EXPECT_EQ(hovered.Pixel(2, 2), kActive);
    const POINT overIt = Corner(hovered, red);
    EXPECT_EQ(overIt.x, atRest.x);
    EXPECT_EQ(overIt.y, atRest.y);

    Canvas pressed(kWidth, kHeight);
    Render(button, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.Pixel(0, kHeight / 2), shadow);
    EXPECT_EQ(pressed.Pixel(kWidth / 2, 0), shadow);
    EXPECT_EQ(pressed.Pixel(kWidth - 1, kHeight / 2), highlight);
    EXPECT_EQ(pressed.Pixel(kWidth / 2, kHeight - 1), highlight);
    const POINT down = Corner(pressed, red);
    EXPECT_EQ(down.x, atRest.x + 1);
    EXPECT_EQ(down.y, atRest.y + 1);
}

TEST_F(PaintTest, CheckBoxPressedKeepsItsImageInPlace) {
    ProbeButton button;
    Bind(button, L"", BS_AUTOCHECKBOX);
    const COLORREF red = RGB(220, 0, 0);
    button.SetIcons(MakeTestIcon(8, red), nullptr);
    Canvas rest(kWidth, kHeight);
    Render(button, rest, 0);
    button.SetCheckState(1, false);
    Canvas checked(kWidth, kHeight);
    Render(button, checked, 0);
    EXPECT_EQ(checked.Pixel(0, kHeight / 2), shadow);  // checked paints pressed
    EXPECT_EQ(Corner(checked, red).x, Corner(rest, red).x);
}

TEST_F(PaintTest, DisabledCaptionIsEngraved) {
    ProbeButton button;
    HWND hwnd = Bind(button, L"Hi");
    EnableWindow(hwnd, FALSE);
    Canvas canvas(kWidth, kHeight);
    Render(button, canvas, ODS_DISABLED);
    RECT light, dark;
    ASSERT_GT(canvas.Count(highlight, &light), 0);
    ASSERT_GT(canvas.Count(shadow, &dark), 0);
    // The highlight copy lies one pixel right of and below the shadow copy.
    EXPECT_EQ(light.right, dark.right + 1);
    EXPECT_EQ(light.bottom, dark.bottom + 1);
    EXPECT_EQ(canvas.Count(GetSysColor(COLOR_BTNTEXT)), 0);
}

TEST_F(PaintTest, EnabledCaptionUsesTheTextColourOfTheState) {
    ProbeButton button;
    Bind(button, L"Hi");
    button.colors.Set(IdleText, RGB(0, 0, 255));
    button.colors.Set(ActiveText, RGB(255, 0, 0));
    Canvas idle(kWidth, kHeight);
    Render(button, idle, 0);
    EXPECT_GT(idle.Count(RGB(0, 0, 255)), 0);
    button.hovering = TRUE;
    Canvas hovered(kWidth, kHeight);
    Render(button, hovered, 0);
    EXPECT_GT(hovered.Count(RGB(255, 0, 0)), 0);
    EXPECT_EQ(hovered.Count(RGB(0, 0, 255)), 0);
}

TEST_F(PaintTest, KeyColouredPixelsOfABitmapShowTheFace) {
    ProbeButton button;
    Bind(button);
    const COLORREF key = RGB(255, 0, 255);
    const COLORREF nearKey = RGB(254, 0, 255);
    const COLORREF green = RGB(0, 160, 0);
    ASSERT_EQ(button.SetBitmaps(MakeTestBitmap(4, 4, green, key, nearKey), key, nullptr, 0),
              ButtonOk);
    Canvas canvas(kWidth, kHeight);
    Render(button, canvas, 0);
    const int left = (kWidth - 4) / 2;
    const int top = (kHeight - 4) / 2;
    EXPECT_EQ(canvas.Pixel(left, top), kFace);
    EXPECT_EQ(canvas.Pixel(left + 1, top), nearKey);
    EXPECT_EQ(canvas.Pixel(left + 2, top), green);
    EXPECT_EQ(canvas.Count(green), 14);
}

TEST_F(PaintTest, DisabledBitmapIsEmbossedUnlessSwitchedOff) {
    ProbeButton button;
    Bind(button);
    const COLORREF green = RGB(0, 160, 0);
    button.SetBitmaps(MakeTestBitmap(4, 4, green), RGB(255, 0, 255), nullptr, 0);
    Canvas disabled(kWidth, kHeight);
    Render(button, disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.Count(green), 0);
}

TEST_F(PaintTest, ParentBackgroundModeShowsTheParentsPixels) {
    ProbeButton button;
    HWND hwnd = Bind(button);
    button.UseParentBackground(false);
    UpdateWindow(parent.hwnd());
    RedrawWindow(parent.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    InvalidateRect(hwnd, nullptr, TRUE);
    Canvas canvas(kWidth, kHeight);
    button.hovering = TRUE;
    Render(button, canvas, 0);
    EXPECT_EQ(canvas.Pixel(kWidth / 2, kHeight / 2), kParentColor);
    EXPECT_EQ(canvas.Pixel(0, kHeight / 2), highlight);  // the border is still drawn
}

TEST_F(PaintTest, BoxHoverButtonDrawsABoxWhileHoveredAndNoBorder) {
    ProbeBoxButton button;
    Bind(button);
    Canvas rest(kWidth, kHeight);
    Render(button, rest, 0);
    EXPECT_EQ(rest.Count(kFace), kWidth * kHeight);

    button.hovering = TRUE;
    Canvas hovered(kWidth, kHeight);
    Render(button, hovered, 0);
    EXPECT_EQ(hovered.Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(hovered.Pixel(kWidth - 1, kHeight - 1), RGB(0, 0, 0));
    EXPECT_EQ(hovered.Pixel(kWidth / 2, kHeight / 2), kActive);
    EXPECT_EQ(hovered.Count(highlight), 0);

    Canvas pressed(kWidth, kHeight);
    Render(button, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.Pixel(0, kHeight / 2), RGB(0, 0, 0));
    EXPECT_EQ(pressed.Count(shadow), 0);
}

TEST_F(PaintTest, ButtonThatIsNotFlatHasAFrameAndAFocusRectangle) {
    ProbeButton button;
    Bind(button, L"", BS_DEFPUSHBUTTON);
    button.SetFlat(false);
    Canvas canvas(kWidth, kHeight);
    Render(button, canvas, ODS_FOCUS);
    EXPECT_EQ(canvas.Pixel(0, kHeight / 2), RGB(0, 0, 0));  // the default frame
    EXPECT_EQ(canvas.Pixel(1, kHeight / 2), highlight);
    EXPECT_NE(canvas.Pixel(4, kHeight / 2), kFace);  // the focus rectangle, 3 pixels in
}

}  // namespace
