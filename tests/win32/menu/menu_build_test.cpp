// Building KelMenus from menu resources, keeping records in step, labels and mnemonics.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "menu/kel_menu.h"
#include "menu_fixture.h"
#include "menu_test_ids.h"

namespace {

bool IsOwnerDrawn(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
}

std::wstring Label(const KelMenu& menu, int position) {
    std::wstring label;
    EXPECT_TRUE(menu.GetItemLabel(static_cast<UINT>(position), label, MF_BYPOSITION));
    return label;
}

LRESULT Execute(int position) {
    return MAKELRESULT(position, MNC_EXECUTE);
}

TEST(KelMenuLoad, TheTestMenuIsBuiltItemByItem) {
    KelMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    // The bar is drawn by Windows: plain text items.
    ASSERT_EQ(GetMenuItemCount(menu.menu()), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(IsOwnerDrawn(menu.menu(), i));
    wchar_t bar[16] = {};
    GetMenuStringW(menu.menu(), 1, bar, 16, MF_BYPOSITION);
    EXPECT_STREQ(bar, L"&Help");

    KelMenu* file = KelMenu::FromHandle(menu.GetSubMenu(0));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(KelMenu::IsRegisteredPopup(file));
    struct Expected {
        UINT id;
        UINT state;  // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
        const wchar_t* label;
    };
    const Expected expected[] = {
        {IDC_OPEN, 0, nullptr},  // aligned below
        {IDC_SAVE_AS, MF_GRAYED, L"Save &as..."},
        {0, MF_SEPARATOR, L""},
        {static_cast<UINT>(-1), MF_POPUP, L"&Recent"},
        {IDC_EXIT, MF_CHECKED, nullptr},
    };
    ASSERT_EQ(GetMenuItemCount(file->menu()), 5);
    ASSERT_EQ(file->ItemCount(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsOwnerDrawn(file->menu(), i));
        EXPECT_EQ(GetMenuItemID(file->menu(), i), expected[i].id);
        UINT state = GetMenuState(file->menu(), i, MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            state &= ~MF_GRAYED;  // separators may report themselves grayed
        EXPECT_EQ(state & (MF_GRAYED | MF_CHECKED | MF_SEPARATOR | MF_POPUP), expected[i].state);
        if (expected[i].label) {
            EXPECT_EQ(Label(*file, i), expected[i].label);
        }
    }
    // The shortcuts start in one column: the names before them are padded alike.
    const std::wstring open = Label(*file, 0);
    const std::wstring exit = Label(*file, 4);
    EXPECT_EQ(open.substr(open.find(L'\t')), L"\tCtrl+O");
    EXPECT_EQ(exit.substr(exit.find(L'\t')), L"\tAlt+F4");
    const int column = MenuTextWidth(L"Save &as... ");
    EXPECT_GE(MenuTextWidth(open.substr(0, open.find(L'\t'))), column);
    EXPECT_GE(MenuTextWidth(exit.substr(0, exit.find(L'\t'))), column);
    EXPECT_LT(MenuTextWidth(open.substr(0, open.find(L'\t') - 1)), column);

    // Text outside any ANSI code page survives.
    int position = -1;
    KelMenu* recent = menu.FindCommand(IDC_RECENT2, position);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->menu(), GetSubMenu(file->menu(), 3));
    EXPECT_EQ(position, 1);
    std::wstring label;
    EXPECT_TRUE(menu.GetItemLabel(IDC_RECENT2, label, 0));
    EXPECT_EQ(label, L"\u6587\u4ef6\u4e8c(&T)");
    EXPECT_TRUE(menu.GetItemLabel(IDC_RECENT1, label, 0));
    EXPECT_EQ(label, L"\u0424&\u0430\u0439\u043b \u043e\u0434\u0438\u043d");
    EXPECT_FALSE(menu.GetItemLabel(9999, label, 0));
    EXPECT_FALSE(file->GetItemLabel(5, label, MF_BYPOSITION));
    EXPECT_EQ(KelMenu::MatchMnemonic(L'\u0410', MF_POPUP, recent->menu()), Execute(0));
}

TEST(KelMenuLoad, MalformedOrMissingResourcesLeaveTheMenuAsItWas) {
    KelMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    const HMENU built = menu.menu();
    const HMENU file = menu.GetSubMenu(0);
    for (UINT id : {UINT{IDM_CUT_MENU}, UINT{IDM_OPEN_MENU}, UINT{999}}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(menu.LoadMenu(id));
        EXPECT_EQ(menu.menu(), built);
        EXPECT_TRUE(IsMenu(built));
        EXPECT_NE(KelMenu::FromHandle(file), nullptr);
    }
}

TEST(KelMenuLoad, DestroyMenuFreesEveryPopupAndItsRecords) {
    KelMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    const HMENU file = menu.GetSubMenu(0);
    const HMENU recent = GetSubMenu(file, 3);
    const HMENU help = menu.GetSubMenu(1);
    const ULONG_PTR record = ItemData(file, 0);
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(menu.menu(), nullptr);
    for (HMENU popup : {file, recent, help}) {
        EXPECT_FALSE(IsMenu(popup));
        EXPECT_EQ(KelMenu::FromHandle(popup), nullptr);
        EXPECT_FALSE(KelMenu::IsRegisteredPopup(popup));
    }
    // A request that still carries a record of the destroyed menu is not answered.
    MEASUREITEMSTRUCT request{ODT_MENU, 0, IDC_OPEN, 77, 77, record};
    EXPECT_FALSE(KelMenu::RouteMeasureItem(&request));
    EXPECT_EQ(request.itemWidth, 77u);
}

TEST(KelMenuLoad, ReloadingManyTimesKeepsOnlyTheLastMenu) {
    KelMenu menu;
    HMENU first = nullptr;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
        if (i == 0)
            first = menu.GetSubMenu(0);
    }
    EXPECT_FALSE(IsMenu(first));
    EXPECT_EQ(KelMenu::FromHandle(first), nullptr);
}

class AdoptTest : public testing::Test {
protected:
    void SetUp() override {
        popup.Attach(CreatePopupMenu());
        popup.AppendItem(L"&Open", MF_STRING, IDC_OPEN);
        popup.AppendItem(L"", 0, 0);
        openRecord = ItemData(popup.menu(), 0);
    }
    KelMenu popup;
    ULONG_PTR openRecord = 0;
};

TEST_F(AdoptTest, ItemsAddedWithPlainCallsAreAdoptedOnTheNextMnemonic) {
    // A label longer than any fixed buffer, its mnemonic at the very end.
    const std::wstring longLabel = std::wstring(300, L'.') + L"&Zebra";
    InsertMenuW(popup.menu(), 0, MF_BYPOSITION | MF_STRING, 301, L"&Quit");
    AppendMenuW(popup.menu(), MF_STRING | MF_GRAYED, 302, longLabel.c_str());
    AppendMenuW(popup.menu(), MF_SEPARATOR, 0, nullptr);

    EXPECT_EQ(KelMenu::MatchMnemonic(L'z', MF_POPUP, popup.menu()), Execute(3));
    ASSERT_EQ(popup.ItemCount(), 5);
    const wchar_t* labels[] = {L"&Quit", L"&Open", L"", longLabel.c_str(), L""};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsOwnerDrawn(popup.menu(), i));
        EXPECT_EQ(Label(popup, i), labels[i]);
    }
    EXPECT_EQ(ItemData(popup.menu(), 1), openRecord);  // records are kept by command
    EXPECT_TRUE(GetMenuState(popup.menu(), 3, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(KelMenu::MatchMnemonic(L'Q', MF_POPUP, popup.menu()), Execute(0));
}

TEST_F(AdoptTest, MnemonicsNeedThePopupFlagAndAnAmpersand) {
    EXPECT_EQ(KelMenu::MatchMnemonic(L'o', MF_POPUP, popup.menu()), Execute(0));
    EXPECT_EQ(KelMenu::MatchMnemonic(L'o', MF_SYSMENU, popup.menu()), 0);
    EXPECT_EQ(KelMenu::MatchMnemonic(L'p', MF_POPUP, popup.menu()), 0);
    // A menu of no KelMenu leaves the key to the system.
    const HMENU foreign = CreatePopupMenu();
    AppendMenuW(foreign, MF_STRING, 1, L"&Open");
    EXPECT_EQ(KelMenu::MatchMnemonic(L'o', MF_POPUP, foreign), 0);
    DestroyMenu(foreign);
}

}  // namespace
