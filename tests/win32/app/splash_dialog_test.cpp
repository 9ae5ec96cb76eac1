// The welcome window: its outline, the ways it ends (Return, which
// opens the settings window, is driven end to end in tests/e2e) and its handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/splash_dialog.h"
#include "canvas.h"
#include "controls/bitmap_region.h"
#include "framework/gdi.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

struct ShownSplash : SplashDialog {
    ShownSplash() {
        Create();
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
        PumpMessages();
    }
};

// (Where the Enter button's lozenge sits is tested on the placement rule natively and shows in
// the screenshots of scripts/run.sh.)
TEST(Splash, BorderlessAndCutToItsPicture) {
    ShownSplash splash;
    EXPECT_EQ(GetWindowLongW(splash.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_SYSMENU), 0);
    fw::Region region(CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    GetWindowRgn(splash.hwnd(), region.get());
    GetRgnBox(region.get(), &box);
    EXPECT_TRUE(box.left == 0 && box.top == 0 && box.right == 454 && box.bottom == 312);
}

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

TEST(Splash, EscapeAndCloseEndItFocusStartsOnEnterAndNothingIsLeftBehind) {
    const long before = fw::LiveOwnedHandles();  // each run paints the window at least once
    const std::pair<void (*)(), INT_PTR> cases[] = {
        {[] { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {[] { Click(g_running->hwnd(), IDCANCEL); }, IDCANCEL},
        {[] { g_running->EndDialog(GetFocus() == g_running->Item(IDOK) ? IDOK : IDABORT); }, IDOK},
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
