// The image list shared by all menus: growth per look, replacement in place, toolbar
// positions and system-colour mapping of 16-colour strips.
#include <windows.h>

#include <gtest/gtest.h>

#include "menu/image_resources.h"
#include "menu/kel_menu.h"
#include "menu_fixture.h"
#include "menu_test_ids.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

int SharedCount() {
    return KelMenu::SharedImages() ? ImageList_GetImageCount(KelMenu::SharedImages()) : 0;
}

// Appends an item for `command` with an image from `resource` to a new popup; returns its
// image index.
int Share(UINT command, int resource) {
    KelMenu popup;
    popup.Attach(CreatePopupMenu());
    popup.AppendItem(L"item", MF_STRING, command, resource);
    return popup.ImageIndex(0);
}

// Shared entry `index` drawn transparently on magenta.
COLORREF SharedPixel(int index, int x, int y) {
    Canvas canvas(16, 15, kMagenta);
    ImageList_Draw(KelMenu::SharedImages(), index, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    return canvas.Pixel(x, y);
}

TEST(SharedImages, FlatLookStoresThreeEntriesClassicOne) {
    struct Case {
        int code;
        UINT command;
        int growth;
        bool raised;
    };
    const Case cases[] = {{kWindowsXp, 801, 3, true}, {kWindows2000, 802, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        LookScope look(c.code, false);
        const int before = SharedCount();
        const int index = Share(c.command, IDB_TEST_STRIP);
        EXPECT_EQ(index, before);
        EXPECT_EQ(SharedCount(), before + c.growth);
        EXPECT_EQ(static_cast<int>(KelMenu::SharedImageIds().size()), SharedCount());
        EXPECT_EQ(HasRaisedVariants(KelMenu::SharedImageIds(), index), c.raised);
        // An item appended later without a resource picks the image up.
        EXPECT_EQ(Share(c.command, -1), index);
    }
}

TEST(SharedImages, ASecondImageForACommandReplacesTheFirstInPlace) {
    LookScope look(kWindows2000, false);
    const int index = Share(803, IDB_TEST_STRIP);
    ASSERT_GE(index, 0);
    EXPECT_EQ(SharedPixel(index, 8, 8), RGB(255, 0, 0));  // no button: the first picture
    const int count = SharedCount();
    EXPECT_EQ(Share(803, IDB_TEST_PLAIN), index);
    EXPECT_EQ(SharedCount(), count);
    // The 256-colour picture keeps its light grey: no system-colour mapping.
    EXPECT_EQ(SharedPixel(index, 0, 0), RGB(192, 192, 192));
}

TEST(SharedImages, ToolbarPlacesPicturesAndSixteenColourStripsTakeSystemColours) {
    LookScope look(kWindows2000, false);
    const int exit = Share(IDC_EXIT, IDB_TEST_STRIP);  // third button: the third picture
    ASSERT_GE(exit, 0);
    EXPECT_EQ(SharedPixel(exit, 8, 8), RGB(0, 255, 0));
    // Light grey became the button face, masked out; dark grey the shadow colour.
    EXPECT_EQ(SharedPixel(exit, 0, 0), kMagenta);
    EXPECT_EQ(SharedPixel(exit, 4, 3), GetSysColor(COLOR_BTNSHADOW));

    const int count = SharedCount();
    EXPECT_EQ(Share(804, 4321), -1);  // no such bitmap
    EXPECT_EQ(SharedCount(), count);
}

}  // namespace
