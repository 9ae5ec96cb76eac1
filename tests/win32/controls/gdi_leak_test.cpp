// Handles held by the picture button's owners come back to zero after heavy use.
#include <windows.h>

#include <gtest/gtest.h>

#include "button_fixture.h"
#include "framework/gdi.h"
#include "ui_helpers.h"

namespace {

TEST(PictureButtonHandles, ThousandPaintsAndHundredImageChangesLeaveNothing) {
    PumpMessages();
    const long before = fw::LiveOwnedHandles();
    {
        TestParent parent;
        ProbeButton button;
        HWND hwnd = parent.AddButton(701, BS_PUSHBUTTON, 10, 10, 60, 30, L"Go");
        ASSERT_TRUE(button.Subclass(hwnd));
        const COLORREF key = RGB(255, 0, 255);
        for (int i = 0; i < 100; ++i) {
            if (i % 3 == 0)
                button.SetIcons(MakeTestIcon(8, RGB(i, 40, 80)),
                                PictureButton::AutoGreyIconHandle());
            else if (i % 3 == 1)
                button.SetBitmaps(MakeTestBitmap(6, 5, RGB(10, i, 10), key), key,
                                  MakeTestBitmap(6, 5, RGB(i, 10, 10)), key);
            else
                button.SetIcons(MakeTestIcon(8, RGB(0, 0, i)), MakeTestIcon(8, RGB(i, 0, 0)));
        }
        button.SetBitmaps(MakeTestBitmap(6, 5, RGB(10, 200, 10), key), key, nullptr, 0);
        const long withImages = fw::LiveOwnedHandles();

        Canvas canvas(60, 30);
        const UINT states[] = {0, ODS_SELECTED, ODS_FOCUS, ODS_DISABLED};
        for (int i = 0; i < 1000; ++i) {
            button.hovering = (i / 4) % 2;
            button.flat = (i / 8) % 2 == 0;
            if (i == 500)
                button.UseParentBackground(false);
            Render(button, canvas, states[i % 4]);
        }
        // Only the cache of the parent's pixels (a context and a bitmap) is kept.
        EXPECT_EQ(fw::LiveOwnedHandles(), withImages + 2);
        button.UseParentBackground(false);
        EXPECT_EQ(fw::LiveOwnedHandles(), withImages);
    }
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
}

}  // namespace
