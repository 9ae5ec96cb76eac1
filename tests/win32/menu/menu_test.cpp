// KelMenus built, measured and painted (by pixels) in both looks, and a real popup.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "controls/picture_button.h"
#include "framework/gdi.h"
#include "menu/kel_menu.h"
#include "menu/menu_colors.h"
#include "menu/menu_paint.h"
#include "menu/menu_platform.h"
#include "menu_test_ids.h"
#include "owned_handle_tally.h"
#include "ui_helpers.h"

namespace {

constexpr int kXp = 7;     // flat look unless the theme is classic
constexpr int kW2000 = 6;  // classic look with 3D edges
constexpr int kWidth = 160;

struct LookScope : MenuPlatform {  // this version code, no classic theme, while it lives
    explicit LookScope(int version) : code(version) {}
    int VersionCode() override { return code; }
    bool ClassicTheme() override { return false; }
    int code;
    fw::Seam<MenuPlatform>::Substitute installed{MenuPlatformSeam(), *this};
};

MENUITEMINFOW Info(HMENU menu, int position, UINT mask) {
    MENUITEMINFOW info{sizeof(info), mask,    0, 0,       0, nullptr,
                       nullptr,      nullptr, 0, nullptr, 0, nullptr};
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}
std::wstring Label(const KelMenu& menu, UINT key, UINT flags = MF_BYPOSITION) {
    std::wstring label;
    return menu.GetItemLabel(key, label, flags) ? label : L"(none)";
}
// Each item: id, o owner drawn, then g grayed, c checked, p popup or s separator, and the
// first 12 characters of its label with the padding taken out.
std::wstring Items(const KelMenu& menu) {
    std::wstring items;
    for (int i = 0; i < menu.ItemCount(); ++i) {
        const UINT state = GetMenuState(menu.menu(), i, MF_BYPOSITION);
        std::wstring label = Label(menu, i);
        label.erase(std::remove(label.begin(), label.end(), L' '), label.end());
        items += std::to_wstring(static_cast<int>(GetMenuItemID(menu.menu(), i))) +
                 (Info(menu.menu(), i, MIIM_FTYPE).fType & MFT_OWNERDRAW ? L"o" : L"") +
                 (state & MF_SEPARATOR
                      ? L"s"
                      : std::wstring(state & MF_GRAYED ? L"g" : L"") +
                            (state & MF_CHECKED ? L"c" : L"") + (state & MF_POPUP ? L"p" : L"")) +
                 L" " + label.substr(0, 12) + L"|";
    }
    return items;
}
// The texts of a menu bar's items, as Windows shows them.
std::wstring BarTexts(HMENU bar) {
    std::wstring texts;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        texts += std::wstring(text) + L"|";
    }
    return texts;
}
SIZE Measure(KelMenu& popup, int position) {
    MEASUREITEMSTRUCT request{ODT_MENU, 0, GetMenuItemID(popup.menu(), position),
                              0,        0, Info(popup.menu(), position, MIIM_DATA).dwItemData};
    popup.MeasureItem(&request);
    return {static_cast<LONG>(request.itemWidth), static_cast<LONG>(request.itemHeight)};
}
Canvas& Draw(KelMenu& popup, UINT state, Canvas& canvas, int height) {  // the first item
    const HMENU menu = popup.menu();
    popup.DrawItem({ODT_MENU, 0, GetMenuItemID(menu, 0), ODA_DRAWENTIRE, state,
                    reinterpret_cast<HWND>(menu), canvas.dc(), RECT{0, 0, kWidth, height},
                    Info(menu, 0, MIIM_DATA).dwItemData});
    return canvas;
}
// A popup of one item, made under the look in force.
std::unique_ptr<KelMenu> OneItem(const wchar_t* label, UINT id = IDC_OPEN, int image = -1) {
    auto popup = std::make_unique<KelMenu>();
    popup->Attach(CreatePopupMenu());
    popup->AppendItem(label, id ? MF_STRING : 0, id, image);
    return popup;
}

TEST(KelMenuLoad, TheTestMenuIsBuiltItemByItem) {
    KelMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    KelMenu* file = KelMenu::FromHandle(menu.GetSubMenu(0));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(KelMenu::IsRegisteredPopup(file));
    EXPECT_EQ(Items(*file),
              L"100o &Open\tCtrl+O|101og Save&as...|0os |-1op &Recent|102oc E&xit\tAlt+F4|");
    EXPECT_EQ(Label(*file, 5), L"(none)");  // past the end
    for (int position : {0, 1})             // the bar
        EXPECT_FALSE(Info(menu.menu(), position, MIIM_FTYPE).fType & MFT_OWNERDRAW) << position;
    // Text outside any ANSI code page survives, found by command in a nested popup.
    EXPECT_EQ(Label(menu, IDC_RECENT2, 0), L"\u6587\u4ef6\u4e8c(&T)");
    EXPECT_EQ(Label(menu, IDC_RECENT1, 0), L"\u0424&\u0430\u0439\u043b \u043e\u0434\u0438\u043d");
}

TEST(KelMenuLoad, BadResourcesLeaveTheMenuAndDestroyFreesEveryPopup) {
    KelMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    const HMENU built = menu.menu(), file = menu.GetSubMenu(0);
    for (UINT id : {IDM_CUT_MENU, IDM_OPEN_MENU, 999}) {
        SCOPED_TRACE(testing::Message() << "resource " << id);
        EXPECT_FALSE(menu.LoadMenu(id));
        EXPECT_EQ(menu.menu(), built);
        EXPECT_TRUE(IsMenu(built));
        EXPECT_NE(KelMenu::FromHandle(file), nullptr);
    }
    const HMENU popups[] = {file, GetSubMenu(file, 3), menu.GetSubMenu(1)};
    MEASUREITEMSTRUCT request{ODT_MENU, 0, IDC_OPEN, 77, 77, Info(file, 0, MIIM_DATA).dwItemData};
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(menu.menu(), nullptr);
    for (HMENU popup : popups) {
        EXPECT_FALSE(IsMenu(popup));
        EXPECT_EQ(KelMenu::FromHandle(popup), nullptr);
        EXPECT_FALSE(KelMenu::IsRegisteredPopup(popup));
    }
    // A request that still carries a record of the destroyed menu is not answered.
    EXPECT_FALSE(KelMenu::RouteMeasureItem(&request));
    EXPECT_EQ(request.itemWidth, 77u);
}

// Items something else put in front of a loaded bar, of any kind, leave every label over its
// own popup when an item is appended.
TEST(KelMenuLoad, ItemsPutInFrontOfTheBarLeaveEachLabelOverItsPopup) {
    for (int code : {kXp, kW2000}) {
        SCOPED_TRACE(code);
        LookScope look(code);
        KelMenu bar;
        ASSERT_TRUE(bar.LoadMenu(IDM_TEST_MENU));
        const HMENU file = bar.GetSubMenu(0);
        InsertMenuW(bar.menu(), 0, MF_BYPOSITION | MF_STRING, 500, L"Foreign");
        InsertMenuW(bar.menu(), 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        ASSERT_TRUE(
            bar.AppendItem(L"E&xtra", MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu())));
        EXPECT_EQ(BarTexts(bar.menu()), L"Foreign||&File|&Help|E&xtra|");
        EXPECT_EQ(bar.GetSubMenu(2), file);
    }
}

// An item Windows refuses, here because the menu's handle is no longer a menu, leaves the
// records, the popup registrations and the shared images as they were.
TEST(KelMenuAppend, AnItemTheSystemRefusesLeavesEverythingAsItWas) {
    auto popup = OneItem(L"&Open");
    DestroyMenu(popup->menu());
    const HMENU more = CreatePopupMenu();
    const std::size_t shared = KelMenu::SharedImageIds().size();
    EXPECT_FALSE(popup->AppendItem(L"&More", MF_POPUP, reinterpret_cast<UINT_PTR>(more)));
    EXPECT_FALSE(popup->AppendItem(L"&Save", MF_STRING, 805, IDB_TEST_STRIP));
    EXPECT_EQ(popup->ItemCount(), 1);
    EXPECT_FALSE(KelMenu::IsRegisteredPopup(more));
    EXPECT_EQ(KelMenu::SharedImageIds().size(), shared);
    DestroyMenu(more);
}

TEST(KelMenuAdopt, ItemsAddedWithPlainCallsAreAdoptedOnTheNextMnemonic) {
    auto popup = OneItem(L"&Open");
    popup->AppendItem(L"", 0, 0);
    const HMENU menu = popup->menu(), foreign = CreatePopupMenu();  // foreign: of no KelMenu
    const ULONG_PTR openRecord = Info(menu, 0, MIIM_DATA).dwItemData;
    const std::wstring longLabel = std::wstring(300, L'.') + L"&Zebra";  // past any buffer
    InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 301, L"&Quit");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 302, longLabel.c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(foreign, MF_STRING, 1, L"&Open");
    EXPECT_EQ(KelMenu::MatchMnemonic(L'z', MF_POPUP, menu), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(KelMenu::MatchMnemonic(L'Q', MF_POPUP, menu), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(KelMenu::MatchMnemonic(L'o', MF_POPUP, foreign), 0);
    EXPECT_EQ(Items(*popup), L"301o &Quit|100o &Open|0os |302og ............|0os |");
    // The long label whole; the record kept by command.
    EXPECT_EQ(Label(*popup, 3), longLabel);
    EXPECT_EQ(Info(menu, 1, MIIM_DATA).dwItemData, openRecord);
    DestroyMenu(foreign);
}

// A separator appended as an item was registered without the by-position bit; adopting it
// re-registers it where it stands, and the item whose command id is that position stays.
TEST(KelMenuAdopt, ASeparatorIsAdoptedWhereItStands) {
    for (int code : {kXp, kW2000}) {
        SCOPED_TRACE(code);
        LookScope look(code);
        auto popup = OneItem(L"&Two", 2);
        popup->AppendItem(L"&Seven", MF_STRING, 7);
        popup->AppendItem(L"", 0, 0);
        popup->AppendItem(L"&Nine", MF_STRING, 9);
        AppendMenuW(popup->menu(), MF_STRING, 10, L"&Ten");
        EXPECT_EQ(KelMenu::MatchMnemonic(L't', MF_POPUP, popup->menu()),
                  MAKELRESULT(0, MNC_EXECUTE));
        EXPECT_EQ(Items(*popup), L"2o &Two|7o &Seven|0os |9o &Nine|10o &Ten|");
    }
}

// Every letter up to the end of the Cyrillic supplement: a label's mnemonic answers the
// letters the system lower-cases alike, and only those.
TEST(KelMenuMnemonic, LettersMatchAsTheSystemLowerCasesThem) {
    const auto lower = [](wchar_t c) {
        CharLowerBuffW(&c, 1);
        return c;
    };
    const auto upper = [](wchar_t c) {
        CharUpperBuffW(&c, 1);
        return c;
    };
    for (wchar_t letter = 1; letter <= 0x52F; ++letter) {
        if (!IsCharAlphaW(letter))
            continue;
        auto popup = OneItem((L"&" + std::wstring(1, letter)).c_str());
        for (wchar_t typed : {lower(letter), upper(letter)}) {
            const LRESULT answer = lower(typed) == lower(letter) ? MAKELRESULT(0, MNC_EXECUTE) : 0;
            EXPECT_EQ(KelMenu::MatchMnemonic(typed, MF_POPUP, popup->menu()), answer)
                << std::hex << "label U+" << int{letter} << ", typed U+" << int{typed};
        }
    }
}

// The classic theme is the current user's theme file "…\Windows Classic.theme", at any length
// of its path; the system is asked once per platform object.
TEST(MenuPlatformTheme, TheClassicThemeComesFromTheCurrentThemesFileAskedOnce) {
    const char kKey[] = "Software\\Microsoft\\Plus!\\Themes\\Current";
    const std::string classic = "C:\\Windows\\Resources\\Themes\\Windows Classic.theme";
    const struct {
        const char* name;
        std::string file;
        bool classic;
    } cases[] = {
        {"classic", classic, true},
        {"classic, a path longer than a plain one", "C:\\" + std::string(300, 'd') + classic, true},
        {"another theme", "C:\\Windows\\Resources\\Themes\\aero.theme", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kKey, nullptr, REG_SZ, c.file.c_str(),
                                  static_cast<DWORD>(c.file.size() + 1)),
                  ERROR_SUCCESS);
        MenuPlatform platform;
        EXPECT_EQ(platform.ClassicTheme(), c.classic);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, nullptr);
        EXPECT_EQ(platform.ClassicTheme(), c.classic);  // not asked again
    }
}

TEST(MenuMeasure, ItemsAreWiderThanTheirTextByTheImageColumn) {
    fw::ClientDc dc(GetDesktopWindow());
    fw::Font font = CreateMenuFont();
    fw::Selection selection(dc.get(), font.get());
    SIZE text{};
    GetTextExtentPoint32W(dc.get(), L"&Open file\tCtrl+O", 17, &text);
    const int bar = GetSystemMetrics(SM_CYMENU);
    for (auto [code, extraWidth, minHeight, separatorHeight] :
         {std::tuple{kXp, 31, 22, 11}, std::tuple{kW2000, 33, 19, 9}}) {
        SCOPED_TRACE(code == kXp ? "flat" : "classic");
        LookScope look(code);
        auto popup = OneItem(L"&Open file\tCtrl+O");
        popup->AppendItem(L"", 0, 0);
        const SIZE item = Measure(*popup, 0), separator = Measure(*popup, 1);
        EXPECT_EQ(item.cx - text.cx, extraWidth);
        EXPECT_EQ(item.cy, std::max(bar, minHeight));
        EXPECT_EQ(separator.cx, 0);
        EXPECT_EQ(separator.cy, std::max(bar / 2, separatorHeight));
    }
}

enum Kind { Separator, Tick, Dot, Picture, FlatPicture };
// Pixels of `color` in `area`: none when `least` is 0, else at least `least`; their
// (inclusive) box has the sides of `box` that are not -1.
struct Spread {
    COLORREF color;
    RECT area;
    int least = 1;
    std::array<LONG, 4> box = {-1, -1, -1, -1};
};
const auto At = [](int x, int y, COLORREF color) { return Spread{color, {x, y, x + 1, y + 1}}; };
// The look, the item's kind and state, and its height.
struct Look {
    int code;
    Kind kind;
    UINT state;
    int height;
};

TEST(MenuDraw, EachLookKindAndStateByPixels) {
    const COLORREF menu = GetSysColor(COLOR_MENU), text = GetSysColor(COLOR_MENUTEXT),
                   shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                   lit = GetSysColor(COLOR_HIGHLIGHT), face = GetSysColor(COLOR_BTNFACE),
                   window = GetSysColor(COLOR_WINDOW), lit70 = BlendTowardWhite(lit, 0.7),
                   menu60 = BlendTowardWhite(menu, 0.6),
                   red30 = BlendTowardWhite(RGB(255, 0, 0), 0.3), blue = RGB(0, 0, 255),
                   red = RGB(255, 0, 0);  // IDC_OPEN's square, the strip's first
    const RECT all{0, 0, kWidth, 22}, cell{2, 2, 20, 19};
    const struct {
        const char* what;
        Look look;
        std::vector<Spread> checks;
    } cases[] = {
        {"classic separator: etched",
         {kW2000, Separator, 0, 11},
         {At(0, 4, menu), {shadow, {0, 5, 159, 6}, 159}, {light, {0, 6, 159, 7}, 159}}},
        {"flat separator: after the bar, which keeps its colour",
         {kXp, Separator, 0, 11},
         {At(0, 0, face),
          At(0, 10, face),
          At(22, 5, face),
          {window, {23, 5, 30, 6}, 7},
          At(30, 5, shadow),
          At(158, 6, light)}},
        {"classic tick", {kW2000, Tick, ODS_CHECKED, 20}, {{text, cell, 1, {5, 6, 11, 12}}}},
        {"classic dot", {kW2000, Dot, ODS_CHECKED, 20}, {{text, cell, 1, {6, 6, 11, 11}}}},
        {"flat tick", {kXp, Tick, ODS_CHECKED, 22}, {{text, cell, 1, {9, 7, 15, 13}}}},
        {"flat dot", {kXp, Dot, ODS_CHECKED, 22}, {{text, cell, 1, {9, 7, 14, 12}}}},
        {"classic, short item: offset 0",
         {kW2000, Picture, 0, 12},
         {{blue, all, 1, {5, 5, -1, -1}}}},
        {"classic selected: raised",
         {kW2000, Picture, ODS_SELECTED, 20},
         {At(0, 0, light), At(19, 18, shadow), At(21, 10, lit)}},
        {"classic checked: sunken, lighter, no tick",
         {kW2000, Picture, ODS_CHECKED, 20},
         {At(0, 0, shadow), At(19, 18, light), At(1, 1, menu60), At(8, 9, blue)}},
        {"classic grayed selected: embossed, text in the menu colour",
         {kW2000, Picture, ODS_SELECTED | ODS_GRAYED, 20},
         {At(21, 1, lit),
          {blue, all, 0},
          {shadow, {2, 2, 18, 17}, 50},
          {menu, {25, 0, kWidth, 20}}}},
        {"flat selected checked: framed",
         {kXp, FlatPicture, ODS_SELECTED | ODS_CHECKED, 22},
         {At(1, 1, lit), At(21, 10, lit), At(2, 2, lit70), {red, all, 1, {6, -1, -1, -1}}}},
        {"flat selected: lifted over its shadow",
         {kXp, FlatPicture, ODS_SELECTED, 22},
         {At(17, 12, shadow), {red, all, 1, {6, -1, -1, -1}}}},
        {"flat plain: faded in place",
         {kXp, FlatPicture, 0, 22},
         {{red, all, 0}, {red30, all, 1, {7, -1, -1, -1}}}},
        {"flat grayed selected: as not selected",
         {kXp, FlatPicture, ODS_GRAYED | ODS_SELECTED, 22},
         {At(150, 10, window), {red, all, 0}, {shadow, {4, 4, 20, 19}, 50}}},
    };
    auto first = OneItem(L"x", 799, IDB_TEST_STRIP);  // the shared image list lives on
    const long handles = fw::LiveOwnedHandles();
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Look& l = c.look;
        LookScope look(l.code);
        const UINT ids[] = {0, IDC_OPEN, IDC_OPEN, IDC_OPEN, 700};  // 700: no toolbar button
        auto popup = OneItem(l.kind < Picture ? L"" : L"&Open", ids[l.kind],
                             l.kind < Picture ? -1 : IDB_TEST_STRIP);
        if (l.kind == Dot)
            CheckMenuRadioItem(popup->menu(), 0, 0, 0, MF_BYPOSITION);
        Canvas canvas(kWidth, l.height), scratch(kWidth, l.height);
        // No GDI object outlives a measure or a paint.
        for (int round = 0; round < 20; ++round) {
            Measure(*popup, 0);
            Draw(*popup, l.state, scratch, l.height);
        }
        Draw(*popup, l.state, canvas, l.height);
        for (const Spread& s : c.checks) {
            RECT box{}, area = s.area;
            area.bottom = std::min<LONG>(area.bottom, l.height);
            SCOPED_TRACE(testing::Message() << "colour " << std::hex << s.color << std::dec
                                            << " from " << area.left << "," << area.top);
            const int count = canvas.Count(s.color, &box, &area);
            EXPECT_GE(count, s.least);
            if (s.least == 0) {  // none
                EXPECT_EQ(count, 0);
            }
            const LONG got[] = {box.left, box.top, box.right, box.bottom};
            const char* const sides[] = {"left", "top", "right", "bottom"};
            for (int side = 0; side < 4; ++side) {
                if (s.box[side] >= 0) {
                    EXPECT_EQ(got[side], s.box[side]) << sides[side];
                }
            }
        }
    }
    EXPECT_EQ(fw::LiveOwnedHandles(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects + 2);
}

TEST(MenuDraw, TheTextBetweenTwoTabsIsNotDrawnAndTheShortcutEndsAnImageWidthIn) {
    const COLORREF text = GetSysColor(COLOR_MENUTEXT);
    const RECT right{kWidth / 2, 0, kWidth, 20};
    for (int code : {kW2000, kXp}) {
        LookScope look(code);
        Canvas twoTabs(kWidth, 20), oneTab(kWidth, 20);
        Draw(*OneItem(L"&Find\tnever\tCtrl+F"), 0, twoTabs, 20);
        SCOPED_TRACE(code == kXp ? "flat" : "classic");
        RECT box{}, same{};
        EXPECT_GT(Draw(*OneItem(L"&Find\tCtrl+F"), 0, oneTab, 20).Count(text, &box, &right), 0);
        EXPECT_LT(box.right, kWidth - 16);
        EXPECT_GE(box.right, kWidth - 19);
        EXPECT_EQ(twoTabs.Count(text, &same), oneTab.Count(text, &box));
        EXPECT_TRUE(EqualRect(&box, &same));
    }
}

TEST(SharedImages, GrowthPerLookReplacementInPlaceAndPictureChoice) {
    const auto count = [] {
        return KelMenu::SharedImages() ? ImageList_GetImageCount(KelMenu::SharedImages()) : 0;
    };
    // The image index of a new item for `command` with the picture of `resource`.
    const auto share = [](UINT command, int resource) {
        return OneItem(L"item", command, resource)->ImageIndex(0);
    };
    const auto pixel = [](int index, int x, int y) {  // drawn transparently on magenta
        Canvas canvas(16, 15, RGB(255, 0, 255));
        ImageList_Draw(KelMenu::SharedImages(), index, canvas.dc(), 0, 0, ILD_TRANSPARENT);
        return canvas.Pixel(x, y);
    };
    // The index, the images then and the ids, the index of a later item without a resource.
    for (auto [code, command, growth] : {std::tuple{kXp, 801u, 3}, std::tuple{kW2000, 802u, 1}}) {
        SCOPED_TRACE(code == kXp ? "flat" : "classic");
        LookScope look(code);
        const int before = count();
        EXPECT_EQ(share(command, IDB_TEST_STRIP), before);
        EXPECT_EQ(count(), before + growth);
        EXPECT_EQ(static_cast<int>(KelMenu::SharedImageIds().size()), before + growth);
        EXPECT_EQ(share(command, -1), before);
    }
    LookScope look(kW2000);
    const int index = share(803, IDB_TEST_STRIP), before = count();
    const COLORREF first = pixel(index, 8, 8);  // no button: the first picture
    EXPECT_EQ(first, RGB(255, 0, 0));
    EXPECT_EQ(share(803, IDB_TEST_PLAIN), index);       // replaced in place
    EXPECT_EQ(pixel(index, 0, 0), RGB(192, 192, 192));  // the replacement's grey corner
    EXPECT_EQ(share(804, 4321), -1);                    // no such bitmap
    EXPECT_EQ(count(), before);
    // The third button: the third picture.
    EXPECT_EQ(pixel(share(IDC_EXIT, IDB_TEST_STRIP), 8, 8), RGB(0, 255, 0));
    // A bitmap with the older core header is loaded as it is: its blue picture.
    EXPECT_EQ(pixel(share(805, IDB_TEST_CORE), 8, 8), RGB(0, 0, 255));
}

TEST(MenuPopup, DropsDownBelowTheButtonAndPostsTheChosenCommandInBothLooks) {
    CreateDirectoryW(L"..\\screenshots", nullptr);
    for (int code : {kXp, kW2000}) {
        SCOPED_TRACE(code == kXp ? "flat" : "classic");
        LookScope look(code);
        // What the steps inside the menu's loop saw: the popup, where it was, its picture.
        HWND popup = nullptr;
        RECT rect{};
        std::unique_ptr<Canvas> picture;
        auto images = OneItem(L"", IDC_OPEN, IDB_TEST_STRIP);  // pictures for two items
        images->AppendItem(L"", MF_STRING, IDC_EXIT, IDB_TEST_STRIP);
        TestParent parent;
        PictureButton button;
        HWND hwnd = parent.AddButton(601, BS_PUSHBUTTON, 20, 20, 80, 30, L"Menu");
        ASSERT_TRUE(button.Subclass(hwnd));
        ASSERT_TRUE(button.SetPopupMenu(IDM_TEST_MENU, parent.hwnd()));
        RunSoon([&] {  // first find the open popup and select its first item
            popup = FindWindowW(L"#32768", nullptr);
            if (popup == nullptr || !IsWindowVisible(popup))
                return;  // the menu ends with the test's failure below
            GetWindowRect(popup, &rect);
            PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            RunSoon([&] {  // then take its picture, frame included, and type "x"
                UpdateWindow(popup);
                const int width = rect.right - rect.left, height = rect.bottom - rect.top;
                picture = std::make_unique<Canvas>(width, height);
                HDC window = GetWindowDC(popup);
                BitBlt(picture->dc(), 0, 0, width, height, window, 0, 0, SRCCOPY);
                ReleaseDC(popup, window);
                PostMessageW(popup, WM_CHAR, L'x', 0);
            });
        });
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        PumpMessages();
        ASSERT_NE(popup, nullptr);
        ASSERT_NE(picture, nullptr);
        picture->SavePng(code == kXp ? L"../screenshots/menu-flat.png"
                                     : L"../screenshots/menu-classic.png");
        RECT below{};
        GetWindowRect(hwnd, &below);
        EXPECT_EQ(rect.left, below.left);
        EXPECT_EQ(rect.top, below.bottom);
        EXPECT_EQ(TestParent::lastCommand, WPARAM{IDC_EXIT});
        const COLORREF lit = GetSysColor(COLOR_HIGHLIGHT);
        EXPECT_GT(picture->Count(code == kXp ? BlendTowardWhite(lit, 0.7) : lit), 200);
    }
}

}  // namespace
