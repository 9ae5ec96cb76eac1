// Picture buttons on real buttons: painting (a state handed to Paint, checked on the pixels
// of a canvas), binding, check boxes, images, hover, focus, and handles after heavy use.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "canvas.h"
#include "controls/box_hover_button.h"
#include "controls/picture_button.h"
#include "framework/gdi.h"
#include "ui_helpers.h"

namespace {

constexpr int kW = 40, kH = 30, kMid = kH / 2, kFirst = 501, kSecond = 502;
constexpr COLORREF kFace = RGB(200, 180, 160), kActive = RGB(210, 190, 170), kRed = RGB(220, 0, 0);
const PaintState kRest{}, kHovered{false, true}, kPressed{true}, kFocused{false, false, true},
    kDisabled{false, false, false, true};

// Opens the colour slots to the tests, to paint with known faces.
template <typename Base>
struct Colored : Base {
    using Base::colors;
};
using Button = Colored<PictureButton>;

class PictureButtonTest : public testing::Test {
protected:
    void SetUp() override { PumpMessages(); }
    void TearDown() override { PumpMessages(); }

    template <typename Base>
    HWND Bind(Colored<Base>& button, DWORD style = BS_PUSHBUTTON, int id = kFirst,
              const wchar_t* text = L"") {
        HWND hwnd =
            parent.AddButton(id, style | WS_TABSTOP, 20 + (id - kFirst) * 100, 20, kW, kH, text);
        EXPECT_TRUE(button.Subclass(hwnd));
        button.colors.Set(IdleFace, kFace);
        button.colors.Set(FocusFace, kFace);
        button.colors.Set(ActiveFace, kActive);
        return hwnd;
    }
    Canvas& Paint(PictureButton& button, const PaintState& state) {
        canvas = std::make_unique<Canvas>(kW, kH);
        button.Paint(canvas->dc(), RECT{0, 0, kW, kH}, state);
        return *canvas;
    }
    // Paints through the paint request, as WM_DRAWITEM does; the colour of the left edge.
    COLORREF RenderedEdge(PictureButton& button) {
        canvas = std::make_unique<Canvas>(kW, kH);
        DRAWITEMSTRUCT request{ODT_BUTTON,   0,  0, ODA_DRAWENTIRE, 0, button.hwnd(),
                               canvas->dc(), {}, 0};
        GetClientRect(button.hwnd(), &request.rcItem);
        button.DrawItem(request);
        return canvas->Pixel(0, kMid);
    }
    POINT Corner(COLORREF color) {
        RECT box{};
        EXPECT_GT(canvas->Count(color, &box), 0);
        return {box.left, box.top};
    }
    void MoveMouse(HWND hwnd, int x, int y, WPARAM keys = 0) {
        POINT screen{x, y};
        ClientToScreen(hwnd, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
    }

    TestParent parent;
    std::unique_ptr<Canvas> canvas;
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
};

TEST_F(PictureButtonTest, EdgeAndFaceFollowTheStateInEachKind) {
    enum Kind { Flat, Box, Raised };  // Raised: not flat, a default button
    enum Col { FaceC, ActiveC, LightC, ShadowC, BlackC, NotFace };
    struct Check {
        int x, y;
        Col col;
    };
    const struct {
        Kind kind;
        PaintState state;
        std::vector<Check> checks;
    } cases[] = {
        // clang-format off
        {Flat, kRest, {{0, kMid, FaceC}, {kW / 2, 0, FaceC}, {kW - 1, kMid, FaceC}, {2, 2, FaceC}}},
        {Flat, kFocused, {{0, kMid, FaceC}, {kW / 2, kH - 1, FaceC}, {kW - 1, kMid, FaceC}, {2, 2, FaceC}}},
        {Flat, kHovered, {{0, kMid, LightC}, {kW / 2, 0, LightC}, {kW - 1, kMid, ShadowC}, {kW / 2, kH - 1, ShadowC}, {2, 2, ActiveC}}},
        {Flat, kPressed, {{0, kMid, ShadowC}, {kW / 2, 0, ShadowC}, {kW - 1, kMid, LightC}, {kW / 2, kH - 1, LightC}, {2, 2, ActiveC}}},
        {Box, kRest, {{0, kMid, FaceC}, {kW - 1, kH - 1, FaceC}, {kW / 2, kMid, FaceC}}},
        {Box, kHovered, {{0, kMid, BlackC}, {kW - 1, kH - 1, BlackC}, {1, kMid, ActiveC}, {kW / 2, kMid, ActiveC}}},
        {Box, kPressed, {{0, kMid, BlackC}, {kW - 1, kH - 1, BlackC}, {1, kMid, ActiveC}, {kW / 2, kMid, ActiveC}}},
        {Raised, kFocused, {{0, kMid, BlackC}, {1, kMid, LightC}, {4, kMid, NotFace}}},  // focus rectangle
        {Raised, kPressed, {{1, kMid, ShadowC}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        Button plain;
        Colored<BoxHoverButton> box;
        PictureButton& button = c.kind == Box ? static_cast<PictureButton&>(box) : plain;
        c.kind == Box ? Bind(box) : Bind(plain, c.kind == Raised ? BS_DEFPUSHBUTTON : 0);
        button.SetFlat(c.kind != Raised);
        Paint(button, c.state);
        const COLORREF colors[] = {kFace, kActive, light, shadow, RGB(0, 0, 0)};
        for (const Check& check : c.checks) {
            const COLORREF pixel = canvas->Pixel(check.x, check.y);
            EXPECT_TRUE(check.col == NotFace ? pixel != kFace : pixel == colors[check.col])
                << c.kind << " state " << c.state.pressed << c.state.hovered << c.state.focused
                << " at " << check.x << "," << check.y;
        }
        DestroyWindow(button.hwnd());
    }
}

TEST_F(PictureButtonTest, PressedMovesTheImageUnlessACheckBoxWhichCountsCheckedAsPressed) {
    for (DWORD style : {BS_PUSHBUTTON, BS_AUTOCHECKBOX}) {
        Button button;
        Bind(button, style);
        button.SetIcons(MakeTestIcon(8, kRed), nullptr);
        const POINT rest = (Paint(button, kHovered), Corner(kRed));
        const POINT pressed = (Paint(button, kPressed), Corner(kRed));
        const int shift = style == BS_PUSHBUTTON ? 1 : 0;
        EXPECT_TRUE(pressed.x == rest.x + shift && pressed.y == rest.y + shift) << style;
        DestroyWindow(button.hwnd());
    }
    Button box;
    Bind(box, BS_AUTOCHECKBOX);
    box.SetCheckState(1, false);
    EXPECT_EQ(RenderedEdge(box), shadow);
    DRAWITEMSTRUCT request{};
    request.itemState = ODS_FOCUS | ODS_DISABLED;
    const PaintState state = box.StateOf(request);
    EXPECT_TRUE(state.pressed && state.focused && state.disabled && !state.hovered);
}

TEST_F(PictureButtonTest, CaptionColoursEngravedWhenDisabledAndTheParentBackground) {
    Button button;
    HWND hwnd = Bind(button, BS_PUSHBUTTON, kFirst, L"Hi");
    button.colors.Set(IdleText, RGB(0, 0, 255));
    button.colors.Set(ActiveText, RGB(255, 0, 0));
    EXPECT_GT(Paint(button, kRest).Count(RGB(0, 0, 255)), 0);
    EXPECT_EQ(Paint(button, kHovered).Count(RGB(0, 0, 255)), 0);
    EXPECT_GT(canvas->Count(RGB(255, 0, 0)), 0);
    RECT lit, dark;
    Paint(button, kDisabled);
    ASSERT_TRUE(canvas->Count(light, &lit) > 0 && canvas->Count(shadow, &dark) > 0);
    // The highlight copy one pixel right and down.
    EXPECT_TRUE(lit.right == dark.right + 1 && lit.bottom == dark.bottom + 1);

    SetWindowTextW(hwnd, L"");
    button.UseParentBackground(false);
    RedrawWindow(parent.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Paint(button, kHovered);
    EXPECT_EQ(canvas->Pixel(kW / 2, kMid), kParentColor);
    EXPECT_EQ(canvas->Pixel(0, kMid), light);
    EXPECT_EQ(button.ShiftColor(IdleFace, -255, true), ButtonOk);
    SendMessageW(hwnd, WM_SYSCOLORCHANGE, 0, 0);  // keeps the colours set
    EXPECT_EQ(button.Color(IdleFace), RGB(200 - 160, 180 - 160, 0));
}

TEST_F(PictureButtonTest, ImagesOfOneKindReplaceTheOtherAndBadImagesLeaveNone) {
    Button button;
    Bind(button);
    const COLORREF key = RGB(255, 0, 255), nearKey = RGB(254, 0, 255), green = RGB(0, 160, 0);
    ASSERT_EQ(button.SetIcons(MakeTestIcon(8, kRed), nullptr), ButtonOk);
    EXPECT_GT(Paint(button, kRest).Count(kRed), 0);
    ASSERT_EQ(button.SetBitmaps(MakeTestBitmap(4, 4, green, key, nearKey), key, nullptr, 0),
              ButtonOk);
    EXPECT_EQ(Paint(button, kRest).Count(kRed), 0);
    const int left = (kW - 4) / 2, top = (kH - 4) / 2;  // the key shows the face
    EXPECT_TRUE(canvas->Pixel(left, top) == kFace && canvas->Pixel(left + 1, top) == nearKey);
    EXPECT_EQ(canvas->Count(green), 14);
    EXPECT_EQ(Paint(button, kDisabled).Count(green), 0);  // embossed

    const auto bad = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(button.SetBitmaps(reinterpret_cast<HBITMAP>(bad), 0, nullptr, 0), ButtonBadImage);
    button.SetIcons(MakeTestIcon(8, kRed), nullptr);
    EXPECT_EQ(button.SetIcons(MakeTestIcon(8, RGB(1, 2, 3)), bad), ButtonBadImage);
    EXPECT_EQ(Paint(button, kRest).Count(kFace), kW * kH);

    const COLORREF orange = RGB(200, 100, 50);  // a grey idle copy keeps black
    ASSERT_EQ(button.SetIcons(MakeTestIcon(8, orange), PictureButton::AutoGreyIconHandle()),
              ButtonOk);
    const BYTE level = GreyLevel(orange);
    EXPECT_EQ(Paint(button, kRest).Count(RGB(level, level, level)), 63);
    EXPECT_EQ(canvas->Count(RGB(0, 0, 0)), 1);
    EXPECT_EQ(Paint(button, kHovered).Count(orange), 63);
}

TEST_F(PictureButtonTest, BindingMakesTheButtonOwnerDrawnAndSetStyleMovesTheDefaultFlag) {
    Button plain, byDefault;
    HWND plainHwnd = Bind(plain), defaultHwnd = Bind(byDefault, BS_DEFPUSHBUTTON, kSecond);
    const auto code = [](HWND hwnd) {
        return SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) &
               (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
    };
    EXPECT_EQ(code(plainHwnd), DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(code(defaultHwnd), DLGC_DEFPUSHBUTTON);
    const std::pair<DWORD, LRESULT> steps[] = {{BS_PUSHBUTTON, DLGC_UNDEFPUSHBUTTON},
                                               {BS_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON},
                                               {BS_GROUPBOX, DLGC_DEFPUSHBUTTON}};  // kept
    for (const auto& [style, expected] : steps) {
        SendMessageW(defaultHwnd, BM_SETSTYLE, style, TRUE);
        EXPECT_EQ(code(defaultHwnd), expected) << style;
        for (HWND hwnd : {plainHwnd, defaultHwnd})
            EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & 0x1F, BS_OWNERDRAW);
    }
}

TEST_F(PictureButtonTest, CheckBoxTogglesOnClickDoubleClickIsASecondPress) {
    Button box, plain;
    HWND hwnd = Bind(box, BS_AUTOCHECKBOX), plainHwnd = Bind(plain, BS_PUSHBUTTON, kSecond);
    const auto check = [](HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0); };
    Click(parent.hwnd(), kFirst);
    EXPECT_EQ(check(hwnd), 1);
    Click(parent.hwnd(), kFirst);
    EXPECT_EQ(check(hwnd), 0);
    EXPECT_EQ(TestParent::clicks, 2);                      // the parent hears of every click too
    SendMessageW(plainHwnd, BM_SETCHECK, BST_CHECKED, 0);  // a push button has no check state
    Click(parent.hwnd(), kSecond);
    EXPECT_EQ(check(plainHwnd), 0);
    TestParent::clicks = 0;
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(plainHwnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(5, 5));
    EXPECT_EQ(TestParent::clicks, 2);
}

TEST_F(PictureButtonTest, HoverStartsOnMoveAndEndsOnLeavingOrLosingTheWindow) {
    Button button;
    HWND hwnd = Bind(button);
    MoveMouse(hwnd, 10, 10, MK_LBUTTON);  // entering with the button held
    EXPECT_NE(RenderedEdge(button), light);
    MoveMouse(hwnd, 10, 10);
    EXPECT_EQ(RenderedEdge(button), light);
    MoveMouse(hwnd, 10, 12, MK_LBUTTON);  // once hovering, the held button does not matter
    EXPECT_EQ(RenderedEdge(button), light);
    const std::pair<UINT, WPARAM> endings[] = {{WM_MOUSEMOVE, 0},  // over the parent
                                               {WM_MOUSELEAVE, 0}, {WM_ACTIVATE, WA_INACTIVE},
                                               {WM_CANCELMODE, 0}, {WM_KILLFOCUS, 0},
                                               {WM_ENABLE, 0}};
    for (const auto& [message, wParam] : endings) {
        MoveMouse(hwnd, 10, 10);
        if (message == WM_MOUSEMOVE)
            MoveMouse(hwnd, -10, -10);
        else if (message == WM_ENABLE)
            EnableWindow(hwnd, FALSE);
        else
            SendMessageW(hwnd, message, wParam, 0);
        EXPECT_NE(RenderedEdge(button), light) << message;
    }
    EnableWindow(hwnd, TRUE);
    button.SetFlat(false);  // a button that is not flat never hovers
    MoveMouse(hwnd, 10, 10);
    RenderedEdge(button);
    EXPECT_NE(canvas->Pixel(kW / 2, kMid), kActive);
}

TEST_F(PictureButtonTest, DisablingTheFocusedButtonMovesTheFocusOn) {
    Button first, second;
    HWND firstHwnd = Bind(first), secondHwnd = Bind(second, BS_PUSHBUTTON, kSecond);
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
}

TEST(PictureButtonHandles, ThousandPaintsAndHundredImageChangesLeaveNothing) {
    PumpMessages();
    const long before = fw::LiveOwnedHandles();
    {
        TestParent parent;
        Button button;
        ASSERT_TRUE(button.Subclass(parent.AddButton(701, BS_PUSHBUTTON, 10, 10, 60, 30, L"Go")));
        const COLORREF key = RGB(255, 0, 255);
        for (int i = 0; i < 99; i += 3) {
            button.SetIcons(MakeTestIcon(8, RGB(i, 40, 80)), PictureButton::AutoGreyIconHandle());
            button.SetBitmaps(MakeTestBitmap(6, 5, RGB(10, i, 10), key), key,
                              MakeTestBitmap(6, 5, RGB(i, 10, 10)), key);
            button.SetIcons(MakeTestIcon(8, RGB(0, 0, i)), MakeTestIcon(8, RGB(i, 0, 0)));
        }
        button.SetBitmaps(MakeTestBitmap(6, 5, RGB(10, 200, 10), key), key, nullptr, 0);
        const long withImages = fw::LiveOwnedHandles();
        Canvas canvas(60, 30);
        const PaintState states[] = {kRest, kPressed, kFocused, kDisabled, kHovered};
        for (int i = 0; i < 1000; ++i) {
            button.SetFlat((i / 5) % 2 == 0);
            if (i == 500)
                button.UseParentBackground(false);
            button.Paint(canvas.dc(), RECT{0, 0, 60, 30}, states[i % 5]);
        }
        // Only the cache of the parent's pixels (a context and a bitmap) is kept.
        EXPECT_EQ(fw::LiveOwnedHandles(), withImages + 2);
        button.UseParentBackground(false);
        EXPECT_EQ(fw::LiveOwnedHandles(), withImages);
    }
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
}

}  // namespace
