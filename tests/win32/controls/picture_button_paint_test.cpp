// Painting of picture buttons: a state handed to Paint, checked on the pixels of a canvas.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "button_fixture.h"
#include "ui_helpers.h"

namespace {

constexpr int kW = 40;
constexpr int kH = 30;
constexpr COLORREF kFace = RGB(200, 180, 160);
constexpr COLORREF kActive = RGB(210, 190, 170);
constexpr COLORREF kRed = RGB(220, 0, 0);
const PaintState kRest{}, kHovered{false, true}, kPressed{true}, kFocused{false, false, true},
    kDisabled{false, false, false, true};

class PaintTest : public testing::Test {
protected:
    void SetUp() override { PumpMessages(); }
    void TearDown() override { PumpMessages(); }

    template <typename Button>
    HWND Bind(Button& button, const wchar_t* text = L"", DWORD style = BS_PUSHBUTTON) {
        HWND hwnd = parent.AddButton(601, style, 20, 20, kW, kH, text);
        EXPECT_TRUE(button.Subclass(hwnd));
        button.colors.Set(IdleFace, kFace);
        button.colors.Set(FocusFace, kFace);
        button.colors.Set(ActiveFace, kActive);
        return hwnd;
    }
    const Canvas& Paint(PictureButton& button, const PaintState& state) {
        canvas = std::make_unique<Canvas>(kW, kH);
        button.Paint(canvas->dc(), RECT{0, 0, kW, kH}, state);
        return *canvas;
    }
    POINT Corner(COLORREF color) {
        RECT box{};
        EXPECT_GT(canvas->Count(color, &box), 0);
        return {box.left, box.top};
    }

    TestParent parent;
    std::unique_ptr<Canvas> canvas;
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
};

// The flat button's edge in each state: left, top, right, bottom pixels and the face.
TEST_F(PaintTest, FlatEdgeFollowsTheState) {
    ProbeButton button;
    Bind(button);
    struct Case {
        const PaintState& state;
        COLORREF topLeft, bottomRight, face;
    };
    const Case cases[] = {{kRest, kFace, kFace, kFace},
                          {kFocused, kFace, kFace, kFace},
                          {kHovered, light, shadow, kActive},
                          {kPressed, shadow, light, kActive}};
    for (const Case& c : cases) {
        Paint(button, c.state);
        EXPECT_EQ(canvas->Pixel(0, kH / 2), c.topLeft);
        EXPECT_EQ(canvas->Pixel(kW / 2, 0), c.topLeft);
        EXPECT_EQ(canvas->Pixel(kW - 1, kH / 2), c.bottomRight);
        EXPECT_EQ(canvas->Pixel(kW / 2, kH - 1), c.bottomRight);
        EXPECT_EQ(canvas->Pixel(2, 2), c.face);
    }
}

TEST_F(PaintTest, PressedMovesTheImageUnlessACheckBox) {
    for (DWORD style : {BS_PUSHBUTTON, BS_AUTOCHECKBOX}) {
        ProbeButton button;
        Bind(button, L"", style);
        button.SetIcons(MakeTestIcon(8, kRed), nullptr);
        Paint(button, kHovered);
        const POINT rest = Corner(kRed);
        Paint(button, kPressed);
        const int shift = style == BS_PUSHBUTTON ? 1 : 0;
        EXPECT_EQ(Corner(kRed).x, rest.x + shift);
        EXPECT_EQ(Corner(kRed).y, rest.y + shift);
        DestroyWindow(button.hwnd());
    }
}

TEST_F(PaintTest, StateOfTheRequestCountsACheckedBoxAsPressed) {
    ProbeButton button;
    Bind(button, L"", BS_AUTOCHECKBOX);
    button.SetCheckState(1, false);
    Canvas checked(kW, kH);
    Render(button, checked, 0);
    EXPECT_EQ(checked.Pixel(0, kH / 2), shadow);
    DRAWITEMSTRUCT request{};
    request.itemState = ODS_FOCUS | ODS_DISABLED;
    const PaintState state = button.StateOf(request);
    EXPECT_TRUE(state.pressed && state.focused && state.disabled && !state.hovered);
}

TEST_F(PaintTest, CaptionColoursAndEngravedWhenDisabled) {
    ProbeButton button;
    Bind(button, L"Hi");
    button.colors.Set(IdleText, RGB(0, 0, 255));
    button.colors.Set(ActiveText, RGB(255, 0, 0));
    EXPECT_GT(Paint(button, kRest).Count(RGB(0, 0, 255)), 0);
    EXPECT_EQ(Paint(button, kHovered).Count(RGB(0, 0, 255)), 0);
    EXPECT_GT(canvas->Count(RGB(255, 0, 0)), 0);

    RECT lit, dark;
    Paint(button, kDisabled);
    ASSERT_GT(canvas->Count(light, &lit), 0);
    ASSERT_GT(canvas->Count(shadow, &dark), 0);
    EXPECT_EQ(lit.right, dark.right + 1);  // the highlight copy one pixel right and down
    EXPECT_EQ(lit.bottom, dark.bottom + 1);
}

TEST_F(PaintTest, BitmapKeyShowsTheFaceAndDisabledIsEmbossed) {
    ProbeButton button;
    Bind(button);
    const COLORREF key = RGB(255, 0, 255), nearKey = RGB(254, 0, 255), green = RGB(0, 160, 0);
    ASSERT_EQ(button.SetBitmaps(MakeTestBitmap(4, 4, green, key, nearKey), key, nullptr, 0),
              ButtonOk);
    Paint(button, kRest);
    const int left = (kW - 4) / 2, top = (kH - 4) / 2;
    EXPECT_EQ(canvas->Pixel(left, top), kFace);
    EXPECT_EQ(canvas->Pixel(left + 1, top), nearKey);
    EXPECT_EQ(canvas->Count(green), 14);
    EXPECT_EQ(Paint(button, kDisabled).Count(green), 0);
}

TEST_F(PaintTest, ParentBackgroundKeepsTheBorder) {
    ProbeButton button;
    Bind(button);
    button.UseParentBackground(false);
    RedrawWindow(parent.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Paint(button, kHovered);
    EXPECT_EQ(canvas->Pixel(kW / 2, kH / 2), kParentColor);
    EXPECT_EQ(canvas->Pixel(0, kH / 2), light);
}

TEST_F(PaintTest, BoxHoverButtonDrawsABoxAndNoBorder) {
    Probe<BoxHoverButton> button;
    Bind(button);
    EXPECT_EQ(Paint(button, kRest).Count(kFace), kW * kH);
    for (const PaintState& state : {kHovered, kPressed}) {
        Paint(button, state);
        EXPECT_EQ(canvas->Pixel(0, kH / 2), RGB(0, 0, 0));
        EXPECT_EQ(canvas->Pixel(kW - 1, kH - 1), RGB(0, 0, 0));
        EXPECT_EQ(canvas->Pixel(kW / 2, kH / 2), kActive);
        EXPECT_EQ(canvas->Count(light) + canvas->Count(shadow), 0);
    }
}

TEST_F(PaintTest, ButtonThatIsNotFlatHasAFrameAndAFocusRectangle) {
    ProbeButton button;
    Bind(button, L"", BS_DEFPUSHBUTTON);
    button.SetFlat(false);
    Paint(button, kFocused);
    EXPECT_EQ(canvas->Pixel(0, kH / 2), RGB(0, 0, 0));  // the default frame
    EXPECT_EQ(canvas->Pixel(1, kH / 2), light);
    EXPECT_NE(canvas->Pixel(4, kH / 2), kFace);  // the focus rectangle, 3 pixels in
    Paint(button, kPressed);
    EXPECT_EQ(canvas->Pixel(1, kH / 2), shadow);
}

}  // namespace
