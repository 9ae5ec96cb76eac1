// The welcome window: its outline, the ways it ends (Return, which opens the settings window,
// is driven end to end in tests/e2e) and its handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
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

// Where the focus was while it ran, and which button Return presses. Its outline, size and
// buttons at each display scaling: tests/win32/scaling.
struct Looks {
    HWND focus = nullptr;
    HWND defaultButton = nullptr;
};

TEST(Splash, EscapeAndCloseEndItFocusStartsOnEnterAndItLeavesNothing) {
    const long before = fw::LiveOwnedHandles();  // each run paints the window at least once
    Looks looks;
    const struct {
        const char* name;
        std::function<void(SplashDialog&)> action;
        INT_PTR result;
    } cases[] = {
        {"Escape", [](SplashDialog&) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); },
         IDCANCEL},
        {"close button", [](SplashDialog& splash) { Click(splash.hwnd(), IDCANCEL); }, IDCANCEL},
        {"looked at, then ended",
         [&looks](SplashDialog& splash) {
             looks.focus = GetFocus();
             looks.defaultButton = splash.Item(IDOK);
             splash.EndDialog(IDOK);
         },
         IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SplashDialog splash;
        RunSoon([&] { c.action(splash); });
        EXPECT_EQ(splash.DoModal(), c.result);
    }
    PumpMessages();
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
    // The focus on the button Return presses.
    EXPECT_EQ(looks.focus, looks.defaultButton);
}

// The picture covers the whole window: asked to erase, it leaves the pixels as they are (no
// grey fill before the picture) and says that it erased.
TEST(Splash, ErasesNothingUnderItsPicture) {
    const Canvas canvas(4, 4);
    LRESULT erased = FALSE;
    SplashDialog splash;
    RunSoon([&] {
        erased =
            SendMessageW(splash.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
        splash.EndDialog(IDOK);
    });
    EXPECT_EQ(splash.DoModal(), IDOK);
    EXPECT_NE(erased, FALSE);
    EXPECT_EQ(canvas.Count(RGB(1, 2, 3)), 16);
}

// Each round: whether the border showed while over the button, and went once the pointer left.
struct HoverRound {
    bool shown;
    bool rested;
};

// The real pointer, moved by the system: onto the close button, then back over the picture.
void HoverCloseButtonThreeTimes(SplashDialog& splash, std::vector<HoverRound>& rounds) {
    const HWND window = splash.hwnd(), button = splash.Item(IDCANCEL);
    if (!IsWindowVisible(window)) {  // the modal loop shows it once it has nothing else to do
        RunSoon([&splash, &rounds] { HoverCloseButtonThreeTimes(splash, rounds); });
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
        rounds.push_back({shown, rested});
    }
    splash.EndDialog(IDOK);
}

TEST(Splash, CloseButtonHoverEndsWhenThePointerLeaves) {
    SplashDialog splash;
    std::vector<HoverRound> rounds;
    RunSoon([&] { HoverCloseButtonThreeTimes(splash, rounds); });
    EXPECT_EQ(splash.DoModal(), IDOK);
    ASSERT_EQ(rounds.size(), 3u);
    for (std::size_t round = 0; round < rounds.size(); ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round + 1);
        EXPECT_TRUE(rounds[round].shown);   // the border over the button
        EXPECT_TRUE(rounds[round].rested);  // gone once the pointer left
    }
}

}  // namespace
