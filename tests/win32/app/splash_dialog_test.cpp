// The welcome window: its outline, the ways it ends (Return, which opens the settings window,
// is driven end to end in tests/e2e) and its handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/splash_dialog.h"
#include "canvas.h"
#include "controls/bitmap_region.h"
#include "framework/gdi.h"
#include "owned_handle_tally.h"
#include "ui_helpers.h"

namespace {

// The key colour left out of a real bitmap (how the key is compared: natively); no picture.
TEST(Splash, RegionLeavesOutTheKeyColour) {
    fw::Bitmap picture(MakeTestBitmap(3, 1, RGB(50, 60, 70), RGB(50, 60, 70), RGB(0, 0, 0)));
    fw::Region region(BuildBitmapRegion(picture.get(), RGB(0, 0, 0), 0));
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.get(), 1, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 2, 0));
    EXPECT_EQ(BuildBitmapRegion(nullptr, 0, 0), nullptr);
}

SplashDialog* g_running = nullptr;
// What the running window looked like: its outline's box, its focus and its default button,
// its size and the size its template gives in its dialog units, and which corners of its
// buttons lie inside its outline.
int g_outline = ERROR;
RECT g_box{};
HWND g_focus = nullptr;
HWND g_default = nullptr;
SIZE g_size{};
RECT g_template{0, 0, 230, 160};
int g_cornersOutside = -1;

// How many corners of the window's buttons lie outside its outline.
int ButtonCornersOutside(HWND window) {
    fw::Region outline(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, outline.get()) == ERROR)
        return -1;
    int outside = 0;
    for (int id : {IDOK, IDCANCEL}) {
        RECT rect{};
        GetWindowRect(GetDlgItem(window, id), &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        for (const POINT corner :
             {POINT{rect.left, rect.top}, POINT{rect.right - 1, rect.top},
              POINT{rect.left, rect.bottom - 1}, POINT{rect.right - 1, rect.bottom - 1}})
            outside += !PtInRegion(outline.get(), corner.x, corner.y);
    }
    return outside;
}

TEST(Splash, EscapeAndCloseEndItFocusStartsOnEnterItIsCutToItsPictureAndLeavesNothing) {
    const long before = fw::LiveOwnedHandles();  // each run paints the window at least once
    const struct {
        const char* name;
        void (*action)();
        INT_PTR result;
    } cases[] = {
        {"Escape", [] { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {"close button", [] { Click(g_running->hwnd(), IDCANCEL); }, IDCANCEL},
        {"looked at, then ended",
         [] {
             g_outline = GetWindowRgnBox(g_running->hwnd(), &g_box);
             g_focus = GetFocus();
             g_default = g_running->Item(IDOK);
             RECT window{};
             GetWindowRect(g_running->hwnd(), &window);
             g_size = {window.right - window.left, window.bottom - window.top};
             MapDialogRect(g_running->hwnd(), &g_template);
             g_cornersOutside = ButtonCornersOutside(g_running->hwnd());
             g_running->EndDialog(IDOK);
         },
         IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SplashDialog splash;
        g_running = &splash;
        RunSoon(c.action);
        EXPECT_EQ(splash.DoModal(), c.result);
    }
    PumpMessages();
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
    // Cut to its picture; the focus on the button Return presses.
    EXPECT_NE(g_outline, ERROR);
    EXPECT_EQ(g_box.left, 0);
    EXPECT_EQ(g_box.top, 0);
    EXPECT_EQ(g_box.right, 454);
    EXPECT_EQ(g_box.bottom, 312);
    EXPECT_EQ(g_focus, g_default);
    // As large as its dialog units make it, and never smaller than its picture (where the
    // dialog font gives small units: Wine's stand-in for "System"); the buttons inside.
    EXPECT_EQ(g_size.cx, std::max(g_template.right, 454L));
    EXPECT_EQ(g_size.cy, std::max(g_template.bottom, 312L));
    EXPECT_EQ(g_cornersOutside, 0);
}

// Each round: whether the border showed while over the button, and went once the pointer left.
struct HoverRound {
    bool shown;
    bool rested;
};
std::vector<HoverRound> g_hoverRounds;

// The real pointer, moved by the system: onto the close button, then back over the picture.
void HoverCloseButtonThreeTimes() {
    const HWND window = g_running->hwnd(), button = g_running->Item(IDCANCEL);
    if (!IsWindowVisible(window)) {  // the modal loop shows it once it has nothing else to do
        RunSoon(HoverCloseButtonThreeTimes);
        return;
    }
    RECT box{};
    GetClientRect(button, &box);
    const POINT overButton{box.right / 2, box.bottom / 2}, overPicture{120, 150};
    MovePointerUntil(window, overPicture, [] { return true; });
    // The whole window painted afresh, buttons included, before their resting look is taken.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<COLORREF> rest = ShownPixels(button);
    const auto atRest = [&] { return ShownPixels(button) == rest; };
    for (int round = 0; round < 3; ++round) {
        const bool shown = MovePointerUntil(button, overButton, [&] { return !atRest(); });
        const bool rested = MovePointerUntil(window, overPicture, atRest);
        g_hoverRounds.push_back({shown, rested});
    }
    g_running->EndDialog(IDOK);
}

TEST(Splash, CloseButtonHoverEndsWhenThePointerLeaves) {
    SplashDialog splash;
    g_running = &splash;
    g_hoverRounds.clear();
    RunSoon(HoverCloseButtonThreeTimes);
    EXPECT_EQ(splash.DoModal(), IDOK);
    ASSERT_EQ(g_hoverRounds.size(), 3u);
    for (std::size_t round = 0; round < g_hoverRounds.size(); ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round + 1);
        EXPECT_TRUE(g_hoverRounds[round].shown);   // the border over the button
        EXPECT_TRUE(g_hoverRounds[round].rested);  // gone once the pointer left
    }
}

}  // namespace
