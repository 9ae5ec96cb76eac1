// The welcome window: its outline, the ways it ends (Return, which opens the settings window,
// is driven end to end in tests/e2e) and its handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
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
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0) && !PtInRegion(region.get(), 1, 0) &&
                PtInRegion(region.get(), 2, 0) && !BuildBitmapRegion(nullptr, 0, 0));
}

SplashDialog* g_running = nullptr;

TEST(Splash, EscapeAndCloseEndItFocusStartsOnEnterItIsCutToItsPictureAndLeavesNothing) {
    const long before = fw::LiveOwnedHandles();  // each run paints the window at least once
    const std::pair<void (*)(), INT_PTR> cases[] = {
        {[] { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {[] { Click(g_running->hwnd(), IDCANCEL); }, IDCANCEL},
        {[] {
             RECT box{};
             const bool cut = GetWindowRgnBox(g_running->hwnd(), &box) != ERROR && box.left == 0 &&
                              box.top == 0 && box.right == 454 && box.bottom == 312;
             g_running->EndDialog(cut && GetFocus() == g_running->Item(IDOK) ? IDOK : IDABORT);
         },
         IDOK},
    };
    for (const auto& [action, result] : cases) {
        SplashDialog splash;
        g_running = &splash;
        RunSoon(action);
        EXPECT_EQ(splash.DoModal(), result);
    }
    PumpMessages();
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
}

std::string g_hoverRounds;

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
        g_hoverRounds +=
            MovePointerUntil(button, overButton, [&] { return !atRest(); }) ? 'H' : '-';
        g_hoverRounds += MovePointerUntil(window, overPicture, atRest) ? '.' : 'h';
    }
    g_running->EndDialog(IDOK);
}

// H: the border showed while over the button; '.': it went once the pointer left (h: stuck).
TEST(Splash, CloseButtonHoverEndsWhenThePointerLeaves) {
    SplashDialog splash;
    g_running = &splash;
    g_hoverRounds.clear();
    RunSoon(HoverCloseButtonThreeTimes);
    EXPECT_EQ(splash.DoModal(), IDOK);
    EXPECT_EQ(g_hoverRounds, "H.H.H.");
}

}  // namespace
