// Picture buttons on real buttons: painting (a state handed to Paint, checked on the pixels
// of a canvas), binding, check boxes, images, hover, focus, and handles after heavy use.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
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
    // Paints through the paint request, as WM_DRAWITEM does; whether the edge is lit.
    bool Lit(PictureButton& button) {
        canvas = std::make_unique<Canvas>(kW, kH);
        DRAWITEMSTRUCT request{ODT_BUTTON,   0,  0, ODA_DRAWENTIRE, 0, button.hwnd(),
                               canvas->dc(), {}, 0};
        GetClientRect(button.hwnd(), &request.rcItem);
        button.DrawItem(request);
        return canvas->Pixel(0, kMid) == light;
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
    // Left, top, right and bottom edge, bottom-right corner, (1, mid), (2, 2), centre, (4, mid):
    // F face, A active face, L light, S shadow, K black, ? another colour, . not checked.
    const POINT probes[] = {{0, kMid},        {kW / 2, 0},      {kW - 1, kMid},
                            {kW / 2, kH - 1}, {kW - 1, kH - 1}, {1, kMid},
                            {2, 2},           {kW / 2, kMid},   {4, kMid}};
    // clang-format off
    const std::tuple<Kind, PaintState, const char*> cases[] = {
        {Flat, kRest, "FFF...F.."}, {Flat, kFocused, "F.FF..F.."}, {Flat, kHovered, "LLSS..A.."},
        {Flat, kPressed, "SSLL..A.."}, {Box, kRest, "F...F..F."}, {Box, kHovered, "K...KA.A."},
        {Box, kPressed, "K...KA.A."}, {Raised, kFocused, "K....L..?"},  // a focus rectangle
        {Raised, kPressed, ".....S..."}};
    // clang-format on
    for (const auto& [kind, state, want] : cases) {
        Button plain;
        Colored<BoxHoverButton> box;
        PictureButton& button = kind == Box ? static_cast<PictureButton&>(box) : plain;
        kind == Box ? Bind(box) : Bind(plain, kind == Raised ? BS_DEFPUSHBUTTON : 0);
        button.SetFlat(kind != Raised);
        Paint(button, state);
        const COLORREF colors[] = {kFace, kActive, light, shadow, RGB(0, 0, 0)};
        std::string seen;
        for (const POINT& p : probes) {
            const auto at = std::find(colors, colors + 5, canvas->Pixel(p.x, p.y)) - colors;
            seen += want[seen.size()] == '.' ? '.' : "FALSK?"[at];
        }
        EXPECT_EQ(seen, want) << kind << " state " << state.pressed << state.hovered
                              << state.focused;
        DestroyWindow(button.hwnd());
    }
}

TEST_F(PictureButtonTest, ImagesOfEitherKindBadImagesCaptionColoursAndParentBackground) {
    Button button;
    HWND hwnd = Bind(button);
    const COLORREF key = RGB(255, 0, 255), nearKey = RGB(254, 0, 255), green = RGB(0, 160, 0);
    button.SetIcons(MakeTestIcon(8, kRed), nullptr);
    const int red = Paint(button, kRest).Count(kRed);
    EXPECT_EQ(button.SetBitmaps(MakeTestBitmap(4, 4, green, key, nearKey), key, nullptr, 0),
              ButtonOk);
    const int left = (kW - 4) / 2, top = (kH - 4) / 2;  // the key shows the face
    Paint(button, kRest);                               // then disabled: embossed, no green
    EXPECT_EQ((std::vector<int>{red > 0, canvas->Count(kRed), canvas->Pixel(left, top) == kFace,
                                canvas->Pixel(left + 1, top) == nearKey, canvas->Count(green),
                                Paint(button, kDisabled).Count(green)}),
              (std::vector<int>{1, 0, 1, 1, 14, 0}));

    const auto bad = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(button.SetBitmaps(reinterpret_cast<HBITMAP>(bad), 0, nullptr, 0), ButtonBadImage);
    button.SetIcons(MakeTestIcon(8, kRed), nullptr);
    EXPECT_EQ(button.SetIcons(MakeTestIcon(8, RGB(1, 2, 3)), bad), ButtonBadImage);
    EXPECT_EQ(Paint(button, kRest).Count(kFace), kW * kH);

    const COLORREF orange = RGB(200, 100, 50);  // a grey idle copy keeps black
    EXPECT_EQ(button.SetIcons(MakeTestIcon(8, orange), PictureButton::AutoGreyIconHandle()),
              ButtonOk);
    const BYTE level = GreyLevel(orange);
    EXPECT_EQ(
        (std::vector<int>{Paint(button, kRest).Count(RGB(level, level, level)),
                          canvas->Count(RGB(0, 0, 0)), Paint(button, kHovered).Count(orange)}),
        (std::vector<int>{63, 1, 63}));
    button.ReleaseImages(true);
    SetWindowTextW(hwnd, L"Hi");
    button.colors.Set(IdleText, RGB(0, 0, 255));
    button.colors.Set(ActiveText, RGB(255, 0, 0));
    EXPECT_TRUE(Paint(button, kRest).Count(RGB(0, 0, 255)) > 0 &&
                Paint(button, kHovered).Count(RGB(0, 0, 255)) == 0 &&
                canvas->Count(RGB(255, 0, 0)) > 0);
    RECT lit{}, dark{};
    Paint(button, kDisabled).Count(light, &lit);
    canvas->Count(shadow, &dark);  // the highlight copy one pixel right and down
    EXPECT_TRUE(dark.right >= 0 && lit.right == dark.right + 1 && lit.bottom == dark.bottom + 1);

    SetWindowTextW(hwnd, L"");
    button.UseParentBackground(false);
    RedrawWindow(parent.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Paint(button, kHovered);
    EXPECT_TRUE(canvas->Pixel(kW / 2, kMid) == kParentColor && canvas->Pixel(0, kMid) == light);
    EXPECT_EQ(button.ShiftColor(IdleFace, -255, true), ButtonOk);
    SendMessageW(hwnd, WM_SYSCOLORCHANGE, 0, 0);  // keeps the colours set
    EXPECT_EQ(button.Color(IdleFace), RGB(200 - 160, 180 - 160, 0));
}

TEST_F(PictureButtonTest, OwnerDrawnSetStyleMovesTheDefaultFlagAndDisablingMovesTheFocusOn) {
    Button plain, byDefault;
    HWND plainHwnd = Bind(plain), hwnd = Bind(byDefault, BS_DEFPUSHBUTTON, kSecond);
    // Per button: d default, u not, o owner drawn.
    const auto state = [&] {
        std::string seen;
        for (HWND button : {plainHwnd, hwnd}) {
            const LRESULT code = SendMessageW(button, WM_GETDLGCODE, 0, 0);
            seen += code & DLGC_DEFPUSHBUTTON ? 'd' : code & DLGC_UNDEFPUSHBUTTON ? 'u' : '-';
            seen += (GetWindowLongW(button, GWL_STYLE) & 0x1F) == BS_OWNERDRAW ? "o " : "- ";
        }
        return seen;
    };
    std::string seen = state();
    for (DWORD style : {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_GROUPBOX})  // a group box: kept
        seen += (SendMessageW(hwnd, BM_SETSTYLE, style, TRUE), "| " + state());
    EXPECT_EQ(seen, "uo do | uo uo | uo do | uo do ");
    const auto focus = [&] {
        return GetFocus() == plainHwnd ? 'a' : GetFocus() == hwnd ? 'b' : '-';
    };
    SetFocus(plainHwnd);
    // Disabled: on to the next; disabled when not focused: the focus stays; a click takes it.
    const std::string focused{
        focus(), (EnableWindow(plainHwnd, FALSE), focus()),
        (EnableWindow(plainHwnd, TRUE), EnableWindow(plainHwnd, FALSE), focus()),
        (EnableWindow(plainHwnd, TRUE), Click(parent.hwnd(), kFirst), focus())};
    EXPECT_EQ(focused, "abba");
}

TEST_F(PictureButtonTest, PressedMovesTheImageUnlessACheckBoxWhichTogglesOnClick) {
    for (DWORD style : {BS_PUSHBUTTON, BS_AUTOCHECKBOX}) {
        Button button;
        Bind(button, style);
        button.SetIcons(MakeTestIcon(8, kRed), nullptr);
        const auto corner = [&](const PaintState& state) {
            RECT box{};
            return Paint(button, state).Count(kRed, &box) ? box.left * 100 + box.top : -1;
        };
        EXPECT_EQ(corner(kPressed) - corner(kHovered), style == BS_PUSHBUTTON ? 101 : 0) << style;
        DestroyWindow(button.hwnd());
    }
    Button box, plain;
    HWND hwnd = Bind(box, BS_AUTOCHECKBOX), plainHwnd = Bind(plain, BS_PUSHBUTTON, kSecond);
    SendMessageW(plainHwnd, BM_SETCHECK, BST_CHECKED, 0);  // a push button has no check state
    const auto click = [&](int id, HWND button) {
        Click(parent.hwnd(), id);
        return static_cast<char>('0' + SendMessageW(button, BM_GETCHECK, 0, 0));
    };
    const std::string checks{click(kFirst, hwnd), click(kFirst, hwnd), click(kSecond, plainHwnd)};
    EXPECT_TRUE(checks == "100" && TestParent::clicks == 3) << checks;  // the parent hears too
    box.SetCheckState(1, false);                                        // checked counts as pressed
    const PaintState state =
        box.StateOf(DRAWITEMSTRUCT{0, 0, 0, 0, ODS_FOCUS | ODS_DISABLED, nullptr, nullptr, {}, 0});
    EXPECT_TRUE(state.pressed && state.focused && state.disabled && !state.hovered);
    TestParent::clicks = 0;  // a double click is a second press
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(plainHwnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(5, 5));
    EXPECT_EQ(TestParent::clicks, 2);
}

TEST_F(PictureButtonTest, HoverStartsOnMoveAndEndsOnLeavingOrLosingTheWindow) {
    Button button;
    HWND hwnd = Bind(button);
    const auto moved = [&](int x, WPARAM keys) {
        MoveMouse(hwnd, x, x, keys);
        return Lit(button) ? 'H' : '-';
    };
    // Entering with the button held does not hover; once hovering, the held button does not
    // matter.
    std::string seen{moved(10, MK_LBUTTON), moved(10, 0), moved(12, MK_LBUTTON), ' '};
    for (UINT message : {WM_MOUSEMOVE, WM_MOUSELEAVE, WM_ACTIVATE, WM_KILLFOCUS, WM_ENABLE}) {
        seen += moved(10, 0);
        if (message == WM_MOUSEMOVE)
            MoveMouse(hwnd, -10, -10);  // over the parent
        else if (message == WM_ENABLE)
            EnableWindow(hwnd, FALSE);
        else
            SendMessageW(hwnd, message, 0, 0);  // 0: WA_INACTIVE
        seen += Lit(button) ? 'H' : '-';
    }
    EnableWindow(hwnd, TRUE);
    button.SetFlat(false);  // a button that is not flat never hovers
    moved(10, 0);
    seen += canvas->Pixel(kW / 2, kMid) == kActive ? 'A' : '-';
    EXPECT_EQ(seen, "-HH H-H-H-H-H--");
}

TEST_F(PictureButtonTest, ThousandPaintsAndHundredImageChangesLeaveNothing) {
    const long before = fw::LiveOwnedHandles();
    {
        Button button;
        Bind(button, BS_PUSHBUTTON, kFirst, L"Go");
        const COLORREF key = RGB(255, 0, 255);
        for (int i = 0; i < 99; i += 3) {
            button.SetIcons(MakeTestIcon(8, RGB(i, 40, 80)), PictureButton::AutoGreyIconHandle());
            button.SetBitmaps(MakeTestBitmap(6, 5, RGB(10, i, 10), key), key,
                              MakeTestBitmap(6, 5, RGB(i, 10, 10)), key);
            button.SetIcons(MakeTestIcon(8, RGB(0, 0, i)), MakeTestIcon(8, RGB(i, 0, 0)));
        }
        button.SetBitmaps(MakeTestBitmap(6, 5, RGB(10, 200, 10), key), key, nullptr, 0);
        const long withImages = fw::LiveOwnedHandles();
        const PaintState states[] = {kRest, kPressed, kFocused, kDisabled, kHovered};
        Canvas picture(kW, kH);
        for (int i = 0; i < 1000; ++i) {
            button.SetFlat((i / 5) % 2 == 0);
            if (i == 500)
                button.UseParentBackground(false);
            button.Paint(picture.dc(), RECT{0, 0, kW, kH}, states[i % 5]);
        }
        // Only the cache of the parent's pixels (a context and a bitmap) is kept.
        const long painted = fw::LiveOwnedHandles() - withImages;
        button.UseParentBackground(false);
        EXPECT_TRUE(painted == 2 && fw::LiveOwnedHandles() == withImages) << painted;
    }
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
}

}  // namespace
