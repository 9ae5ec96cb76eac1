// The welcome window: its outline, its Enter button's pixels, the ways it ends (Return, which
// opens the settings window, is driven end to end in tests/e2e) and its handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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

RECT Box(HRGN region) {
    RECT box{};
    GetRgnBox(region, &box);
    return box;
}

TEST(Splash, BorderlessCutToItsPictureAndTheLozengeShowsThePictureAround) {
    ShownSplash splash;
    EXPECT_EQ(GetWindowLongW(splash.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_SYSMENU), 0);
    fw::Region region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(splash.hwnd(), region.get()), ERROR);
    const RECT picture{0, 0, 454, 312}, box = Box(region.get());
    EXPECT_TRUE(EqualRect(&picture, &box));
    RECT client, placed;
    GetClientRect(splash.Item(IDOK), &client);
    GetWindowRect(splash.Item(IDOK), &placed);
    MapWindowPoints(nullptr, splash.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    fw::Bitmap bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WELCOME)));
    fw::MemoryDc pictureDc(CreateCompatibleDC(nullptr));
    fw::Selection selected(pictureDc.get(), bitmap.get());
    Canvas canvas(client.right, client.bottom);
    for (bool pressed : {false, true}) {
        splash.enterButton.Paint(canvas.dc(), client, PaintState{pressed});
        // The lozenge is wider than the button: its rounded corners sit where the image is
        // placed, (button - 85) / 2 to the left of the button's own corner.
        const int x = std::max(0L, (client.right - 85) / 2 + pressed);
        const int y = (client.bottom - 21) / 2 + pressed;
        if (y >= 0) {
            EXPECT_EQ(canvas.Pixel(x, y),
                      GetPixel(pictureDc.get(), placed.left + x, placed.top + y));
        }
        const COLORREF middle = canvas.Pixel(client.right / 2, client.bottom / 2 + 4);
        EXPECT_TRUE(GetBValue(middle) > 150 && GetRValue(middle) < 80) << pressed;  // blue
    }
}

TEST(Splash, RegionLeavesOutTheKeyColourComparedAsMemoryBytes) {
    // A 3 x 2 picture with black in its middle column; the key's byte 0 is compared with the
    // blue byte, so the byte-swapped colour value is what matches the pixels.
    fw::Bitmap picture(MakeTestBitmap(3, 2, RGB(50, 60, 70)));
    {
        fw::MemoryDc dc(CreateCompatibleDC(nullptr));
        fw::Selection selected(dc.get(), picture.get());
        SetPixel(dc.get(), 1, 0, RGB(0, 0, 0));
        SetPixel(dc.get(), 1, 1, RGB(0, 0, 0));
    }
    fw::Region region(BuildBitmapRegion(picture.get(), RGB(0, 0, 0), 0));
    fw::Region onlyBlack(BuildBitmapRegion(picture.get(), RGB(70, 60, 50), 0));
    ASSERT_TRUE(region && onlyBlack);
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0) && PtInRegion(region.get(), 2, 1));
    EXPECT_FALSE(PtInRegion(region.get(), 1, 0) || PtInRegion(region.get(), 1, 1));
    EXPECT_TRUE(Box(onlyBlack.get()).left == 1 && Box(onlyBlack.get()).right == 2);
    EXPECT_EQ(BuildBitmapRegion(nullptr, 0, 0), nullptr);
}

SplashDialog* g_running = nullptr;

TEST(Splash, EscapeAndCloseEndItFocusStartsOnEnterAndNothingIsLeftBehind) {
    const long before = fw::LiveOwnedHandles();
    for (int i = 0; i < 20; ++i) {
        auto splash = std::make_unique<ShownSplash>();
        RedrawWindow(splash->hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        splash->Destroy();
    }
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
