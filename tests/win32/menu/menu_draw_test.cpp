// Measuring and painting KelMenu items in both looks, checked by pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "framework/gdi.h"
#include "menu/kel_menu.h"
#include "menu/menu_colors.h"
#include "menu_fixture.h"
#include "menu_test_ids.h"

namespace {

constexpr int kWidth = 160;
constexpr COLORREF kBlue = RGB(0, 0, 255);  // the square of IDC_OPEN's picture
constexpr COLORREF kRed = RGB(255, 0, 0);   // the first picture of the strip
// A command without a toolbar button (so it gets the first picture), shared only under
// the flat look, so its faded and shadow variants exist.
constexpr UINT kFlatCommand = 700;

COLORREF Sys(int index) {
    return GetSysColor(index);
}
COLORREF Blend(COLORREF color, double factor) {
    return static_cast<COLORREF>(BlendTowardWhite(color, factor));
}

// A popup of one item, made under the look in force.
struct OneItem {
    explicit OneItem(const wchar_t* label, UINT id = IDC_OPEN, int image = -1) {
        popup.Attach(CreatePopupMenu());
        popup.AppendItem(label, MF_STRING, id, image);
    }
    void MakeRadio() {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(popup.menu(), 0, TRUE, &info);
        info.fType |= MFT_RADIOCHECK;
        SetMenuItemInfoW(popup.menu(), 0, TRUE, &info);
    }
    KelMenu popup;
};

TEST(MenuMeasure, ItemsAreWiderThanTheirTextByTheImageColumn) {
    struct Case {
        int code;
        int extraWidth;
        int minHeight;
        int separatorHeight;
    };
    const Case cases[] = {{kWindowsXp, 31, 22, 11}, {kWindows2000, 33, 19, 9}};
    const std::wstring label = L"&Open file\tCtrl+O";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        LookScope look(c.code, false);
        KelMenu popup;
        popup.Attach(CreatePopupMenu());
        popup.AppendItem(label.c_str(), MF_STRING, IDC_OPEN);
        popup.AppendItem(L"", 0, 0);
        const SIZE item = MeasureMenuItem(popup, 0);
        EXPECT_EQ(item.cx, MenuTextWidth(label) + c.extraWidth);
        EXPECT_EQ(item.cy, std::max(GetSystemMetrics(SM_CYMENU), c.minHeight));
        const SIZE separator = MeasureMenuItem(popup, 1);
        EXPECT_EQ(separator.cx, 0);
        EXPECT_EQ(separator.cy, std::max(GetSystemMetrics(SM_CYMENU) / 2, c.separatorHeight));
    }
}

TEST(MenuDraw, ClassicSeparatorIsAnEtchedLineAcrossTheMiddle) {
    LookScope look(kWindows2000, false);
    KelMenu popup;
    popup.Attach(CreatePopupMenu());
    popup.AppendItem(L"", 0, 0);
    Canvas canvas(kWidth, 11);
    DrawMenuItem(popup, 0, 0, canvas, kWidth, 11);
    for (int x : {0, 80, kWidth - 2}) {
        EXPECT_EQ(canvas.Pixel(x, 5), Sys(COLOR_BTNSHADOW)) << x;
        EXPECT_EQ(canvas.Pixel(x, 6), Sys(COLOR_BTNHIGHLIGHT)) << x;
        EXPECT_EQ(canvas.Pixel(x, 4), Sys(COLOR_MENU)) << x;
    }
}

TEST(MenuDraw, FlatSeparatorStartsAfterTheBarWhichKeepsItsColour) {
    LookScope look(kWindowsXp, false);
    KelMenu popup;
    popup.Attach(CreatePopupMenu());
    popup.AppendItem(L"", 0, 0);
    Canvas canvas(kWidth, 11);
    DrawMenuItem(popup, 0, 0, canvas, kWidth, 11);
    const COLORREF bar = Sys(COLOR_BTNFACE);  // themed: the face itself
    for (int y = 0; y < 11; ++y) {
        EXPECT_EQ(canvas.Pixel(0, y), bar) << y;
        EXPECT_EQ(canvas.Pixel(22, y), bar) << y;
    }
    EXPECT_EQ(canvas.Pixel(23, 5), Sys(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(29, 5), Sys(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(30, 5), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(kWidth - 2, 6), Sys(COLOR_BTNHIGHLIGHT));
}

TEST(MenuDraw, CheckedItemsWithoutImageShowASevenPixelTickOrADot) {
    struct Case {
        const char* what;
        int code;
        bool radio;
        int height;
        RECT mark;  // inclusive box of the menu-text pixels inside the cell
    };
    const Case cases[] = {
        {"classic tick", kWindows2000, false, 20, {5, 6, 11, 12}},
        {"classic dot", kWindows2000, true, 20, {6, 6, 11, 11}},
        {"flat tick", kWindowsXp, false, 22, {9, 7, 15, 13}},
        {"flat dot", kWindowsXp, true, 22, {9, 7, 14, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LookScope look(c.code, false);
        OneItem item(L"");
        if (c.radio)
            item.MakeRadio();
        Canvas canvas(kWidth, c.height);
        DrawMenuItem(item.popup, 0, ODS_CHECKED, canvas, kWidth, c.height);
        RECT box{};
        const RECT cell{2, 2, 20, 19};
        EXPECT_GT(canvas.Count(Sys(COLOR_MENUTEXT), &box, &cell), 0);
        EXPECT_EQ(box.left, c.mark.left);
        EXPECT_EQ(box.top, c.mark.top);
        EXPECT_EQ(box.right, c.mark.right);
        EXPECT_EQ(box.bottom, c.mark.bottom);
    }
}

TEST(MenuDraw, TheTextBetweenTwoTabsIsNotDrawn) {
    for (int code : {kWindows2000, kWindowsXp}) {
        SCOPED_TRACE(code);
        LookScope look(code, false);
        OneItem twoTabs(L"&Find\tnever\tCtrl+F");
        OneItem oneTab(L"&Find\tCtrl+F");
        OneItem noShortcut(L"&Find");
        Canvas a(kWidth, 20), b(kWidth, 20), c(kWidth, 20);
        DrawMenuItem(twoTabs.popup, 0, 0, a, kWidth, 20);
        DrawMenuItem(oneTab.popup, 0, 0, b, kWidth, 20);
        DrawMenuItem(noShortcut.popup, 0, 0, c, kWidth, 20);
        EXPECT_TRUE(a.SameAs(b));
        EXPECT_FALSE(b.SameAs(c));
        // The shortcut ends an image width short of the right edge.
        RECT box{};
        const RECT right{kWidth / 2, 0, kWidth, 20};
        EXPECT_GT(b.Count(Sys(COLOR_MENUTEXT), &box, &right), 0);
        EXPECT_LT(box.right, kWidth - 16);
        EXPECT_GE(box.right, kWidth - 16 - 3);
    }
}

class ImageCellTest : public testing::Test {
protected:
    // Paints an item with its picture under the given look and state.
    void Paint(int code, UINT state, int height = 20, UINT command = IDC_OPEN) {
        LookScope look(code, false);
        OneItem item(L"&Open", command, IDB_TEST_STRIP);
        ASSERT_GE(item.popup.ImageIndex(0), 0);
        canvas = std::make_unique<Canvas>(kWidth, height);
        DrawMenuItem(item.popup, 0, state, *canvas, kWidth, height);
    }
    RECT Box(COLORREF color) {
        RECT box{};
        EXPECT_GT(canvas->Count(color, &box), 0);
        return box;
    }
    RECT BlueBox() { return Box(kBlue); }
    std::unique_ptr<Canvas> canvas;
};

TEST_F(ImageCellTest, ClassicPlainSelectedCheckedAndShortItems) {
    Paint(kWindows2000, 0);
    EXPECT_EQ(BlueBox().left, 5);  // image at (2, dy + 2), its square 3 pixels in
    EXPECT_EQ(BlueBox().top, 5);

    Paint(kWindows2000, ODS_SELECTED);  // raised box, highlight only right of the column
    EXPECT_EQ(canvas->Pixel(0, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas->Pixel(19, 18), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas->Pixel(21, 10), Sys(COLOR_HIGHLIGHT));

    Paint(kWindows2000, ODS_CHECKED);  // sunken box on a lighter cell, and no tick
    EXPECT_EQ(canvas->Pixel(0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas->Pixel(19, 18), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas->Pixel(1, 1), Blend(Sys(COLOR_MENU), 0.6));
    const RECT cell{1, 1, 19, 18};
    EXPECT_LE(canvas->Count(Sys(COLOR_MENUTEXT), nullptr, &cell), 1);  // the picture's own

    Paint(kWindows2000, 0, 12);  // shorter than the cell: offset 0, not negative
    EXPECT_EQ(BlueBox().top, 5);
}

TEST_F(ImageCellTest, ClassicGrayedSelectedIsEmbossedOnTheHighlight) {
    Paint(kWindows2000, ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(canvas->Count(kBlue), 0);
    const RECT cell{2, 2, 18, 17};
    EXPECT_GT(canvas->Count(Sys(COLOR_BTNSHADOW), nullptr, &cell), 50);
    EXPECT_EQ(canvas->Pixel(21, 1), Sys(COLOR_HIGHLIGHT));
    const RECT text{25, 0, kWidth, 20};
    EXPECT_GT(canvas->Count(Sys(COLOR_MENU), nullptr, &text), 0);  // text in the menu colour
}

TEST_F(ImageCellTest, FlatCellsFrameLiftOrFadeThePicture) {
    const COLORREF highlight = Sys(COLOR_HIGHLIGHT);
    Paint(kWindowsXp, ODS_SELECTED | ODS_CHECKED, 22, kFlatCommand);
    EXPECT_EQ(canvas->Pixel(1, 1), highlight);
    EXPECT_EQ(canvas->Pixel(21, 10), highlight);
    EXPECT_EQ(canvas->Pixel(2, 2), Blend(highlight, 0.7));
    EXPECT_EQ(Box(kRed).left, 6);  // one pixel up and left of (4, 4), square 3 pixels in

    Paint(kWindowsXp, ODS_SELECTED, 22, kFlatCommand);  // lifted over its shadow
    EXPECT_EQ(Box(kRed).left, 6);
    EXPECT_EQ(canvas->Pixel(17, 12), Sys(COLOR_BTNSHADOW));

    Paint(kWindowsXp, 0, 22, kFlatCommand);  // faded, in place
    EXPECT_EQ(canvas->Count(kRed), 0);
    EXPECT_EQ(Box(Blend(kRed, 0.3)).left, 7);
}

TEST_F(ImageCellTest, FlatGrayedItemLooksTheSameSelectedOrNot) {
    Paint(kWindowsXp, ODS_GRAYED, 22, kFlatCommand);
    Canvas plain(kWidth, 22);
    BitBlt(plain.dc(), 0, 0, kWidth, 22, canvas->dc(), 0, 0, SRCCOPY);
    Paint(kWindowsXp, ODS_GRAYED | ODS_SELECTED, 22, kFlatCommand);
    EXPECT_TRUE(canvas->SameAs(plain));
    EXPECT_EQ(canvas->Count(kRed), 0);
    const RECT cell{4, 4, 20, 19};
    EXPECT_GT(canvas->Count(Sys(COLOR_BTNSHADOW), nullptr, &cell), 50);
}

TEST(MenuDraw, MeasuringAndPaintingKeepNoGdiObject) {
    OneItem first(L"x", IDC_OPEN, IDB_TEST_STRIP);  // the shared image list lives on
    const long before = fw::LiveOwnedHandles();
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const UINT states[] = {0,
                           ODS_SELECTED,
                           ODS_GRAYED,
                           ODS_CHECKED,
                           ODS_SELECTED | ODS_GRAYED,
                           ODS_SELECTED | ODS_CHECKED};
    for (int code : {kWindows2000, kWindowsXp, kModernCode}) {
        LookScope look(code, false);
        OneItem item(L"&Open\tCtrl+O", IDC_OPEN, IDB_TEST_STRIP);
        item.popup.AppendItem(L"", 0, 0);
        item.popup.AppendItem(L"&Plain", 0, 4711);
        Canvas canvas(kWidth, 22);
        for (int round = 0; round < 20; ++round) {
            for (int position = 0; position < 3; ++position) {
                MeasureMenuItem(item.popup, position);
                for (UINT state : states)
                    DrawMenuItem(item.popup, position, state, canvas, kWidth, 22);
            }
        }
    }
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore + 2);
}

}  // namespace
