// The welcome window: its outline, buttons, keys and results.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "canvas.h"
#include "controls/bitmap_region.h"
#include "app/splash_dialog.h"
#include "framework/gdi.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

SplashDialog* g_running = nullptr;

void PressKey(WPARAM key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 0);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000000);
}

class SplashTest : public testing::Test {
protected:
    void SetUp() override { PumpMessages(); }
    void TearDown() override { PumpMessages(); }

    INT_PTR RunWith(void (*action)()) {
        SplashDialog splash;
        g_running = &splash;
        RunSoon(action);
        const INT_PTR result = splash.DoModal();
        g_running = nullptr;
        return result;
    }
};

class ShownSplash : public SplashDialog {
public:
    ShownSplash() {
        Create();
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
        PumpMessages();
    }
    using SplashDialog::OnMessage;
};

TEST_F(SplashTest, WindowIsBorderlessAndCutToItsPicture) {
    ShownSplash splash;
    ASSERT_NE(splash.hwnd(), nullptr);
    EXPECT_EQ(GetWindowLongW(splash.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_SYSMENU), 0);
    fw::Region region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(splash.hwnd(), region.get()), ERROR);
    RECT box;
    GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 454);
    EXPECT_EQ(box.bottom, 312);
    EXPECT_EQ(BuildBitmapRegion(nullptr, 0, 0), nullptr);
}

TEST_F(SplashTest, RegionLeavesOutTheKeyColour) {
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
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.get(), 1, 0));
    EXPECT_FALSE(PtInRegion(region.get(), 1, 1));
    EXPECT_TRUE(PtInRegion(region.get(), 2, 1));
    // Byte 0 of the key is compared with the blue byte: a colour value (red in byte 0)
    // of the pixels does not match them, its byte-swapped form does.
    fw::Region unchanged(BuildBitmapRegion(picture.get(), RGB(50, 60, 70), 0));
    RECT box;
    ASSERT_TRUE(unchanged);
    GetRgnBox(unchanged.get(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 3);
    fw::Region onlyBlack(BuildBitmapRegion(picture.get(), RGB(70, 60, 50), 0));
    ASSERT_TRUE(onlyBlack);
    EXPECT_EQ(GetRgnBox(onlyBlack.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 2);
}

TEST_F(SplashTest, ButtonsAreBoundAndTheEnterButtonIsTheDefault) {
    ShownSplash splash;
    EXPECT_EQ(splash.enterButton.hwnd(), splash.Item(IDOK));
    EXPECT_EQ(splash.closeButton.hwnd(), splash.Item(IDCANCEL));
    EXPECT_TRUE(SendMessageW(splash.Item(IDOK), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(SendMessageW(splash.Item(IDCANCEL), WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
    // Active face lightened by 30 as far as the lightest channel allows.
    ButtonColors expected;
    expected.Reset(GetSysColor(COLOR_BTNFACE), 0);
    expected.Shift(ActiveFace, 30);
    EXPECT_EQ(splash.enterButton.Color(ActiveFace), expected[ActiveFace]);
}

TEST_F(SplashTest, EnterButtonShowsTheParentsPixelsAroundItsLozenge) {
    ShownSplash splash;
    HWND enter = splash.Item(IDOK);
    RECT client, placed;
    GetClientRect(enter, &client);
    GetWindowRect(enter, &placed);
    MapWindowPoints(nullptr, splash.hwnd(), reinterpret_cast<POINT*>(&placed), 2);

    fw::Bitmap picture(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WELCOME)));
    fw::MemoryDc pictureDc(CreateCompatibleDC(nullptr));
    fw::Selection selected(pictureDc.get(), picture.get());

    Canvas canvas(client.right, client.bottom);
    for (bool state : {false, true}) {
        splash.enterButton.Paint(canvas.dc(), client, PaintState{state});
        // The lozenge is wider than the button: its rounded corners sit where the image
        // is placed, (button - 85) / 2 to the left of the button's own corner.
        const int shift = state ? 1 : 0;
        const int imageLeft = (client.right - 85) / 2 + shift;
        const int imageTop = (client.bottom - 21) / 2 + shift;
        const int x = imageLeft >= 0 ? imageLeft : 0;
        const int y = imageTop >= 0 ? imageTop : 0;
        if (imageLeft >= 0 && imageTop >= 0) {
            EXPECT_EQ(canvas.Pixel(x, y),
                      GetPixel(pictureDc.get(), placed.left + x, placed.top + y))
                << state;
        }
        // The middle of the lozenge is blue.
        const COLORREF middle = canvas.Pixel(client.right / 2, client.bottom / 2 + 4);
        EXPECT_GT(GetBValue(middle), 150) << state;
        EXPECT_LT(GetRValue(middle), 80) << state;
    }
}

TEST_F(SplashTest, ReturnAndEnterGiveOkEscapeAndCloseGiveCancel) {
    EXPECT_EQ(RunWith([] { PressKey(VK_RETURN); }), IDOK);
    EXPECT_EQ(RunWith([] { PressKey(VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(RunWith([] { Click(g_running->hwnd(), IDCANCEL); }), IDCANCEL);
    EXPECT_EQ(RunWith([] { Click(g_running->hwnd(), IDOK); }), IDOK);
}

TEST_F(SplashTest, FocusStartsOnTheEnterButton) {
    EXPECT_EQ(RunWith([] {
                  const bool onEnter = GetFocus() == g_running->Item(IDOK);
                  g_running->EndDialog(onEnter ? IDOK : IDABORT);
              }),
              IDOK);
}

TEST_F(SplashTest, OpeningAndClosingRepeatedlyLeavesNothingBehind) {
    const long before = fw::LiveOwnedHandles();
    for (int i = 0; i < 20; ++i) {
        auto splash = std::make_unique<ShownSplash>();
        RedrawWindow(splash->hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        splash->Destroy();
    }
    EXPECT_EQ(RunWith([] { Click(g_running->hwnd(), IDCANCEL); }), IDCANCEL);
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
}

}  // namespace
