// Picture buttons on real buttons: painting (by pixels), images, styles, hover, focus, handles.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "display_scope.h"
#include "controls/box_hover_button.h"
#include "controls/picture_button.h"
#include "framework/gdi.h"
#include "owned_handle_tally.h"
#include "temp_file.h"
#include "ui_helpers.h"

namespace {

// Text in the ANSI code page, as the link target and a batch file take it.
std::string Ansi(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
    ansi.pop_back();  // its terminating zero
    return ansi;
}

constexpr int kW = 40, kH = 30, kMid = kH / 2, kFirst = 501, kSecond = 502;
constexpr COLORREF kFace = RGB(200, 180, 160), kActive = RGB(210, 190, 170), kRed = RGB(220, 0, 0);
const PaintState kRest{}, kHovered{false, true}, kPressed{true}, kFocused{false, false, true},
    kDisabled{false, false, false, true};

template <typename Base>  // opens the colour slots, to paint with known faces
struct Colored : Base {
    using Base::colors;
};
using Button = Colored<PictureButton>;

class PictureButtonTest : public testing::Test {
protected:
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

    TestParent parent;
    std::unique_ptr<Canvas> canvas;
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
};

TEST_F(PictureButtonTest, EdgeAndFaceFollowTheStateInEachKind) {
    enum Kind { Flat, Box, Raised };  // Raised: not flat, a default button
    // Left, top, right and bottom edge, bottom-right corner, inside the left edge, inside the
    // corner, centre, where a focus rectangle runs.
    const POINT probes[] = {{0, kMid},        {kW / 2, 0}, {kW - 1, kMid}, {kW / 2, kH - 1},
                            {kW - 1, kH - 1}, {1, kMid},   {2, 2},         {kW / 2, kMid},
                            {4, kMid},        {kW - 2, 2}};
    // One letter per probe: F face, A active face, L light, S shadow, K black, D the dark
    // shadow of a 3-D frame, ? another colour, . not checked.
    const struct {
        const char* name;
        Kind kind;
        PaintState state;
        const char* want;
    } cases[] = {
        {"flat at rest", Flat, kRest, "FFF...F..."},
        {"flat focused", Flat, kFocused, "F.FF..F..."},
        {"flat hovered", Flat, kHovered, "LLSS..A..."},
        {"flat pressed", Flat, kPressed, "SSLL..A..."},
        {"box at rest", Box, kRest, "F...F..F.."},
        {"box hovered", Box, kHovered, "K...KA.A.."},
        {"box pressed", Box, kPressed, "K...KA.A.."},
        {"raised focused: a focus rectangle", Raised, kFocused, "K....L..?D"},
        {"raised pressed", Raised, kPressed, ".....S...."},
    };
    const COLORREF colors[] = {kFace,  kActive,      light,
                               shadow, RGB(0, 0, 0), GetSysColor(COLOR_3DDKSHADOW)};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Button plain;
        Colored<BoxHoverButton> box;
        PictureButton& button = c.kind == Box ? static_cast<PictureButton&>(box) : plain;
        if (c.kind == Box)
            Bind(box);
        else
            Bind(plain, c.kind == Raised ? BS_DEFPUSHBUTTON : 0);
        button.SetFlat(c.kind != Raised);
        Paint(button, c.state);
        for (std::size_t i = 0; i < std::size(probes); ++i) {
            const COLORREF pixel = canvas->Pixel(probes[i].x, probes[i].y);
            const auto at = std::find(std::begin(colors), std::end(colors), pixel) - colors;
            if (c.want[i] != '.') {
                EXPECT_EQ("FALSKD?"[at], c.want[i]) << "at " << probes[i].x << "," << probes[i].y;
            }
        }
        DestroyWindow(button.hwnd());
    }
}

TEST_F(PictureButtonTest, ImagesOfEitherKindAndParentBackground) {
    Button button;
    Bind(button);
    const COLORREF key = RGB(255, 0, 255), nearKey = RGB(254, 0, 255), green = RGB(0, 160, 0);
    button.SetIcons(MakeTestIcon(8, kRed), nullptr);
    EXPECT_GT(Paint(button, kRest).Count(kRed), 0);
    // The bitmap replaces the icon; the key shows the face; disabled: embossed, no green.
    const int left = (kW - 4) / 2, top = (kH - 4) / 2;
    EXPECT_EQ(button.SetBitmaps(MakeTestBitmap(4, 4, green, key, nearKey), key, nullptr, 0),
              ButtonOk);
    EXPECT_EQ(Paint(button, kRest).Count(kRed), 0);
    EXPECT_EQ(canvas->Pixel(left, top), kFace);
    EXPECT_EQ(canvas->Pixel(left + 1, top), nearKey);
    EXPECT_EQ(canvas->Count(green), 14);
    EXPECT_EQ(Paint(button, kDisabled).Count(green), 0);
    button.ReleaseImages(true);
    button.UseParentBackground(false);
    RedrawWindow(parent.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Paint(button, kHovered);
    EXPECT_EQ(canvas->Pixel(kW / 2, kMid), kParentColor);
    EXPECT_EQ(canvas->Pixel(0, kMid), light);
}

// "default", "not default" or "-" by the dialog code; owner drawn or not by the style.
std::string DefaultKind(HWND button) {
    const LRESULT code = SendMessageW(button, WM_GETDLGCODE, 0, 0);
    return code & DLGC_DEFPUSHBUTTON     ? "default"
           : code & DLGC_UNDEFPUSHBUTTON ? "not default"
                                         : "-";
}
bool OwnerDrawn(HWND button) {
    return (GetWindowLongW(button, GWL_STYLE) & 0x1F) == BS_OWNERDRAW;
}

TEST_F(PictureButtonTest, OwnerDrawnSetStyleMovesTheDefaultFlagAndDisablingMovesTheFocusOn) {
    Button plain, byDefault;
    HWND plainHwnd = Bind(plain), hwnd = Bind(byDefault, BS_DEFPUSHBUTTON, kSecond);
    EXPECT_EQ(DefaultKind(hwnd), "default");
    const struct {
        const char* name;
        DWORD style;
        const char* second;  // the first button stays "not default"
    } steps[] = {
        {"push button", BS_PUSHBUTTON, "not default"},
        {"default push button", BS_DEFPUSHBUTTON, "default"},
        {"group box: kept", BS_GROUPBOX, "default"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        SendMessageW(hwnd, BM_SETSTYLE, step.style, TRUE);
        EXPECT_EQ(DefaultKind(plainHwnd), "not default");
        EXPECT_EQ(DefaultKind(hwnd), step.second);
        EXPECT_TRUE(OwnerDrawn(plainHwnd));
        EXPECT_TRUE(OwnerDrawn(hwnd));
    }
    // Disabled: on to the next; disabled when not focused: the focus stays; a click takes it.
    SetFocus(plainHwnd);
    EnableWindow(plainHwnd, FALSE);
    EXPECT_EQ(GetFocus(), hwnd);
    EnableWindow(plainHwnd, TRUE);
    EnableWindow(plainHwnd, FALSE);
    EXPECT_EQ(GetFocus(), hwnd);
    EnableWindow(plainHwnd, TRUE);
    Click(parent.hwnd(), kFirst);
    EXPECT_EQ(GetFocus(), plainHwnd);
}

TEST_F(PictureButtonTest, PressedMovesTheImageUnlessACheckBoxWhichTogglesOnClick) {
    Button box, plain;
    HWND hwnd = Bind(box, BS_AUTOCHECKBOX), plainHwnd = Bind(plain, BS_PUSHBUTTON, kSecond);
    const auto corner = [&](PictureButton& button, const PaintState& state) {
        RECT at{};
        EXPECT_GT(Paint(button, state).Count(kRed, &at), 0);
        return POINT{at.left, at.top};
    };
    // Only the check-box types are check boxes: a group box or an owner-drawn button is not.
    const std::pair<DWORD, int> moves[] = {{BS_PUSHBUTTON, 1},
                                           {BS_GROUPBOX, 1},
                                           {BS_OWNERDRAW, 1},
                                           {BS_3STATE, 0},
                                           {BS_AUTOCHECKBOX, 0}};
    for (const auto& [style, shift] : moves) {
        SCOPED_TRACE(testing::Message() << "style " << style);
        Button button;
        const HWND other = Bind(button, style, kFirst + 2);
        button.SetIcons(MakeTestIcon(8, kRed), nullptr);
        EXPECT_EQ(corner(button, kPressed).x, corner(button, kHovered).x + shift);
        EXPECT_EQ(corner(button, kPressed).y, corner(button, kHovered).y + shift);
        DestroyWindow(other);
    }
    SendMessageW(plainHwnd, BM_SETCHECK, BST_CHECKED, 0);  // a push button has no check state
    const auto click = [&](int id, HWND button) {
        Click(parent.hwnd(), id);
        return SendMessageW(button, BM_GETCHECK, 0, 0);
    };
    EXPECT_EQ(click(kFirst, hwnd), BST_CHECKED);
    EXPECT_EQ(click(kFirst, hwnd), BST_UNCHECKED);
    EXPECT_EQ(click(kSecond, plainHwnd), BST_UNCHECKED);
    EXPECT_EQ(TestParent::clicks, 3);  // the parent hears too
    box.SetCheckState(1, false);       // checked counts as pressed
    const PaintState state =
        box.StateOf(DRAWITEMSTRUCT{0, 0, 0, 0, ODS_FOCUS | ODS_DISABLED, nullptr, nullptr, {}, 0});
    EXPECT_TRUE(state.pressed);
    EXPECT_TRUE(state.focused);
    EXPECT_TRUE(state.disabled);
    EXPECT_FALSE(state.hovered);
}

TEST_F(PictureButtonTest, HoverStartsOnMoveAndEndsOnLeavingOrLosingTheWindow) {
    Button button;
    HWND hwnd = Bind(button);
    const auto lit = [&] {  // painted through the paint request, as WM_DRAWITEM does
        canvas = std::make_unique<Canvas>(kW, kH);
        button.DrawItem(
            {ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, hwnd, canvas->dc(), {0, 0, kW, kH}, 0});
        return canvas->Pixel(0, kMid) == light;
    };
    const auto moved = [&](int x, WPARAM keys = 0) {  // -10: over the parent
        POINT screen{x, x};
        ClientToScreen(hwnd, &screen);
        // The button asks the system where the pointer is: let it settle there first (under
        // Wine its position can fall back to the previous one for a few milliseconds). No
        // messages are pumped, so the system's own mouse messages wait.
        SetCursorPos(screen.x, screen.y);
        const DWORD start = GetTickCount();
        POINT at{};
        while (GetTickCount() - start < 1000 && (!GetCursorPos(&at) || at.x != screen.x ||
                                                 at.y != screen.y || GetTickCount() - start < 100))
            Sleep(10);
        SendMessageW(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, x));
        return lit();
    };
    // Entering with the button held does not hover; once hovering, holding it does not matter.
    EXPECT_FALSE(moved(10, MK_LBUTTON));
    EXPECT_TRUE(moved(10));
    EXPECT_TRUE(moved(12, MK_LBUTTON));
    EXPECT_FALSE(moved(-10));
    for (UINT message : {WM_MOUSELEAVE, WM_ACTIVATE, WM_KILLFOCUS}) {  // 0: WA_INACTIVE
        SCOPED_TRACE(testing::Message() << "message " << message);
        EXPECT_TRUE(moved(10));
        SendMessageW(hwnd, message, 0, 0);
        EXPECT_FALSE(lit());
    }
    button.SetFlat(false);  // a button that is not flat never hovers
    moved(10);
    EXPECT_EQ(canvas->Pixel(kW / 2, kMid), kFace);
}

// The real pointer, moved by the system, onto a button whose tooltip has a tip and away: the
// border shows, the tip comes up, and the button comes back to rest.
TEST_F(PictureButtonTest, HoverWithATipEndsWhenThePointerLeaves) {
    Button button;
    HWND hwnd = Bind(button);
    button.SetIcons(MakeTestIcon(8, kRed), nullptr);
    ASSERT_TRUE(button.SetToolTipText(L"Close"));
    const POINT overButton{kW / 2, kMid}, overParent{5, 5};
    MovePointerUntil(parent.hwnd(), overParent, [] { return true; });
    RedrawWindow(parent.hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<COLORREF> rest = ShownPixels(hwnd);
    const auto atRest = [&] { return ShownPixels(hwnd) == rest; };
    const auto tipShown = [] {
        const HWND tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
        return tip && IsWindowVisible(tip);
    };
    EXPECT_TRUE(MovePointerUntil(hwnd, overButton, [&] { return !atRest(); }));  // the border
    EXPECT_TRUE(PumpUntil(tipShown, 3000));
    EXPECT_TRUE(MovePointerUntil(parent.hwnd(), overParent, atRest));
}

// Nothing in the program gives a button a cursor or a link target; a caller that does gets
// the cursor over the button and the target opened by the shell on a click.
TEST_F(PictureButtonTest, AGivenCursorShowsOverItAndALinkTargetOpensOnClick) {
    Button button;
    const HWND hwnd = Bind(button);
    const HCURSOR cursor = CopyCursor(LoadCursorW(nullptr, IDC_HAND));
    button.SetHoverCursor(cursor);
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    EXPECT_EQ(SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), overClient), TRUE);
    EXPECT_EQ(GetCursor(), cursor);

    // The target: a batch file that leaves a mark when the shell opens it.
    const std::wstring id = std::to_wstring(GetCurrentProcessId());
    const TempFile mark(L"zp350-link-" + id + L".txt");
    const TempFile script(L"zp350-link-" + id + L".bat",
                          "@echo opened>\"" + Ansi(mark.path) + "\"\r\n");
    EXPECT_EQ(button.SetLinkTarget(Ansi(script.path).c_str()), ButtonOk);
    Click(parent.hwnd(), kFirst);
    const auto marked = [&mark] {
        return GetFileAttributesW(mark.path.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    EXPECT_TRUE(PumpUntil(marked, 20000)) << "the shell did not open " << Ansi(script.path);
}

// At twice the DPI every distance doubles (the focus rectangle 6 pixels inside the frame, a
// pressed image 2 pixels further) while lines stay one pixel wide; under high contrast the
// faces take the system's colour instead of their slots'.
TEST_F(PictureButtonTest, AtTwiceTheDpiDistancesDoubleAndHighContrastTakesTheSystemsColours) {
    Button button;
    Bind(button, BS_DEFPUSHBUTTON);
    button.SetFlat(false);
    button.SetDpi(192);
    const RECT focusColumn{7, 8, 8, 22}, faceColumn{4, 8, 5, 22};
    EXPECT_LT(Paint(button, kFocused).Count(kFace, nullptr, &focusColumn), 14);  // its dots
    EXPECT_EQ(canvas->Count(kFace, nullptr, &faceColumn), 14);
    EXPECT_EQ(canvas->Pixel(1, kMid), light);
    button.SetIcons(MakeTestIcon(8, kRed), nullptr);
    RECT hovered{}, pressed{};
    Paint(button, kHovered).Count(kRed, &hovered);
    Paint(button, kPressed).Count(kRed, &pressed);
    EXPECT_EQ(pressed.left, hovered.left + 2);
    button.ReleaseImages(true);
    button.SetFlat(true);
    const DisplayScope contrast(96, true);
    EXPECT_EQ(Paint(button, kHovered).Pixel(kW / 2, kMid), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Paint(button, kRest).Pixel(kW / 2, kMid), GetSysColor(COLOR_BTNFACE));
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
        for (int i = 0; i < 1000; ++i) {
            button.SetFlat((i / 5) % 2 == 0);
            if (i == 500)
                button.UseParentBackground(false);
            Paint(button, states[i % 5]);
        }
        // Only the cache of the parent's pixels (a context and a bitmap) is kept.
        const long painted = fw::LiveOwnedHandles() - withImages;
        button.UseParentBackground(false);
        EXPECT_EQ(painted, 2);
        EXPECT_EQ(fw::LiveOwnedHandles(), withImages);
    }
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
}

}  // namespace
