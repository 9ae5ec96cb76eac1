// The welcome window: its outline, buttons, keys and results.
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

SplashDialog* g_running = nullptr;

INT_PTR RunWith(void (*action)()) {
    SplashDialog splash;
    g_running = &splash;
    RunSoon(action);
    const INT_PTR result = splash.DoModal();
    g_running = nullptr;
    return result;
}

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

TEST(Splash, WindowIsBorderlessAndCutToItsPicture) {
    ShownSplash splash;
    EXPECT_EQ(GetWindowLongW(splash.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_SYSMENU), 0);
    fw::Region region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(splash.hwnd(), region.get()), ERROR);
    const RECT picture{0, 0, 454, 312};
    const RECT box = Box(region.get());
    EXPECT_TRUE(EqualRect(&picture, &box));
    EXPECT_EQ(BuildBitmapRegion(nullptr, 0, 0), nullptr);
}

TEST(Splash, RegionLeavesOutTheKeyColourComparedAsMemoryBytes) {
    // A 3 x 2 picture with black in its middle column: two runs per row.
    fw::Bitmap picture(MakeTestBitmap(3, 2, RGB(50, 60, 70)));
    {
        fw::MemoryDc dc(CreateCompatibleDC(nullptr));
        fw::Selection selected(dc.get(), picture.get());
        SetPixel(dc.get(), 1, 0, RGB(0, 0, 0));
        SetPixel(dc.get(), 1, 1, RGB(0, 0, 0));
    }
    fw::Region region(BuildBitmapRegion(picture.get(), RGB(0, 0, 0), 0));
    ASSERT_TRUE(region);
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0) && PtInRegion(region.get(), 2, 1));
    EXPECT_FALSE(PtInRegion(region.get(), 1, 0) || PtInRegion(region.get(), 1, 1));
    // Byte 0 of the key is compared with the blue byte: the colour value (red in byte 0)
    // does not match the pixels, its byte-swapped form does.
    fw::Region unchanged(BuildBitmapRegion(picture.get(), RGB(50, 60, 70), 0));
    fw::Region onlyBlack(BuildBitmapRegion(picture.get(), RGB(70, 60, 50), 0));
    ASSERT_TRUE(unchanged && onlyBlack);
    EXPECT_EQ(Box(unchanged.get()).right - Box(unchanged.get()).left, 3);
    EXPECT_EQ(Box(onlyBlack.get()).left, 1);
    EXPECT_EQ(Box(onlyBlack.get()).right, 2);
}

TEST(Splash, EnterButtonIsTheDefaultAndShowsTheParentsPixelsAroundItsLozenge) {
    ShownSplash splash;
    HWND enter = splash.Item(IDOK);
    EXPECT_TRUE(SendMessageW(enter, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(SendMessageW(splash.Item(IDCANCEL), WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
    RECT client, placed;
    GetClientRect(enter, &client);
    GetWindowRect(enter, &placed);
    MapWindowPoints(nullptr, splash.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    fw::Bitmap picture(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WELCOME)));
    fw::MemoryDc pictureDc(CreateCompatibleDC(nullptr));
    fw::Selection selected(pictureDc.get(), picture.get());
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

TEST(Splash, KeysAndButtonsEndItFocusStartsOnEnterAndNothingIsLeftBehind) {
    const long before = fw::LiveOwnedHandles();
    for (int i = 0; i < 20; ++i) {
        auto splash = std::make_unique<ShownSplash>();
        RedrawWindow(splash->hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        splash->Destroy();
    }
    const std::pair<void (*)(), INT_PTR> cases[] = {
        {[] {
             PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
             PostMessageW(GetFocus(), WM_KEYUP, VK_RETURN, 0xC0000000);
         },
         IDOK},
        {[] {
             PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
             PostMessageW(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000000);
         },
         IDCANCEL},
        {[] { Click(g_running->hwnd(), IDCANCEL); }, IDCANCEL},
        {[] { Click(g_running->hwnd(), IDOK); }, IDOK},
        {[] { g_running->EndDialog(GetFocus() == g_running->Item(IDOK) ? IDOK : IDABORT); }, IDOK},
    };
    for (const auto& [action, result] : cases) {
        PumpMessages();
        EXPECT_EQ(RunWith(action), result);
    }
    PumpMessages();
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
}

}  // namespace
