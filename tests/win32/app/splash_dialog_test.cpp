// The welcome window: its outline, the ways it ends (Return, which opens the settings window,
// is driven end to end in tests/e2e) and its handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

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

}  // namespace
