// The welcome window: its outline, the ways it ends (Return, which opens the settings window,
// is driven end to end in tests/e2e) and its handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/splash_dialog.h"
#include "canvas.h"
#include "controls/bitmap_region.h"
#include "framework/gdi.h"
#include "ui_helpers.h"

namespace {

// A 3 x 1 picture with black in its middle; the key's byte 0 is compared with the blue byte,
// so the byte-swapped colour value is what matches the pixels.
TEST(Splash, RegionLeavesOutTheKeyColourComparedAsMemoryBytes) {
    const COLORREF color = RGB(50, 60, 70);
    fw::Bitmap picture(MakeTestBitmap(3, 1, color, color, RGB(0, 0, 0)));
    std::string inside;
    for (COLORREF key : {RGB(0, 0, 0), RGB(70, 60, 50)}) {
        fw::Region region(BuildBitmapRegion(picture.get(), key, 0));
        for (int x = 0; x < 3; ++x)
            inside += PtInRegion(region.get(), x, 0) ? '#' : '.';
    }
    EXPECT_EQ(inside, "#.#.#.");
    EXPECT_EQ(BuildBitmapRegion(nullptr, 0, 0), nullptr);
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
