// KelMenus built from resources and plain calls, measured and painted in both looks
// (checked by pixels), sharing images, and a real popup dropped down by a picture button.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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
#include "ui_helpers.h"

namespace {

constexpr int kXp = 7;      // flat look unless the theme is classic
constexpr int kW2000 = 6;   // classic look with 3D edges
constexpr int kModern = 1;  // classic look without 3D edges
constexpr int kWidth = 160;
constexpr UINT kFlatCommand = 700;  // no toolbar button: the first (red) picture

// Gives the menus this version code (and no classic theme) while it lives.
class LookScope : public MenuPlatform {
public:
    explicit LookScope(int code) : code_(code), previous_(SetMenuPlatform(this)) {}
    ~LookScope() override { SetMenuPlatform(previous_); }
    int VersionCode() override { return code_; }
    bool ClassicTheme() override { return false; }

private:
    int code_;
    MenuPlatform* previous_;
};

MENUITEMINFOW Info(HMENU menu, int position, UINT mask) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}
bool IsOwnerDrawn(HMENU menu, int position) {
    return Info(menu, position, MIIM_FTYPE).fType & MFT_OWNERDRAW;
}
std::wstring Label(const KelMenu& menu, int position) {
    std::wstring label;
    EXPECT_TRUE(menu.GetItemLabel(static_cast<UINT>(position), label, MF_BYPOSITION));
    return label;
}
LRESULT Execute(int position) {
    return MAKELRESULT(position, MNC_EXECUTE);
}
int MenuTextWidth(const std::wstring& text) {
    fw::ClientDc dc(GetDesktopWindow());
    fw::Font font = CreateMenuFont();
    fw::Selection selection(dc.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
SIZE Measure(KelMenu& popup, int position) {
    MEASUREITEMSTRUCT request{ODT_MENU, 0, GetMenuItemID(popup.menu(), position),
                              0,        0, Info(popup.menu(), position, MIIM_DATA).dwItemData};
    popup.MeasureItem(&request);
    return {static_cast<LONG>(request.itemWidth), static_cast<LONG>(request.itemHeight)};
}
void Draw(KelMenu& popup, int position, UINT state, Canvas& canvas, int height) {
    DRAWITEMSTRUCT request{ODT_MENU,
                           0,
                           GetMenuItemID(popup.menu(), position),
                           ODA_DRAWENTIRE,
                           state,
                           reinterpret_cast<HWND>(popup.menu()),
                           canvas.dc(),
                           {0, 0, kWidth, height},
                           Info(popup.menu(), position, MIIM_DATA).dwItemData};
    popup.DrawItem(request);
    GdiFlush();
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
    ASSERT_EQ(GetMenuItemCount(menu.menu()), 2);
    EXPECT_FALSE(IsOwnerDrawn(menu.menu(), 0) || IsOwnerDrawn(menu.menu(), 1));  // the bar
    KelMenu* file = KelMenu::FromHandle(menu.GetSubMenu(0));
    ASSERT_TRUE(file && KelMenu::IsRegisteredPopup(file));
    const struct {
        UINT id, state;
        const wchar_t* label;  // null: padded, checked below
    } expected[] = {{IDC_OPEN, 0, nullptr},
                    {IDC_SAVE_AS, MF_GRAYED, L"Save &as..."},
                    {0, MF_SEPARATOR, L""},
                    {static_cast<UINT>(-1), MF_POPUP, L"&Recent"},
                    {IDC_EXIT, MF_CHECKED, nullptr}};
    ASSERT_EQ(GetMenuItemCount(file->menu()), 5);
    ASSERT_EQ(file->ItemCount(), 5);
    for (int i = 0; i < 5; ++i) {
        UINT state = GetMenuState(file->menu(), i, MF_BYPOSITION);
        state &= (state & MF_SEPARATOR) ? MF_SEPARATOR : MF_GRAYED | MF_CHECKED | MF_POPUP;
        EXPECT_TRUE(IsOwnerDrawn(file->menu(), i) &&
                    GetMenuItemID(file->menu(), i) == expected[i].id && state == expected[i].state)
            << i;
        if (expected[i].label) {
            EXPECT_EQ(Label(*file, i), expected[i].label);
        }
    }
    // The shortcuts start in one column: the names before them are padded alike.
    const int column = MenuTextWidth(L"Save &as... ");
    for (auto [position, shortcut] : {std::pair{0, L"\tCtrl+O"}, std::pair{4, L"\tAlt+F4"}}) {
        const std::wstring label = Label(*file, position);
        const size_t tab = label.find(L'\t');
        EXPECT_EQ(label.substr(tab), shortcut);
        EXPECT_GE(MenuTextWidth(label.substr(0, tab)), column);
        EXPECT_LT(MenuTextWidth(label.substr(0, tab - 1)), column);
    }
    // Text outside any ANSI code page survives; mnemonics of other scripts work.
    int position = -1;
    KelMenu* recent = menu.FindCommand(IDC_RECENT2, position);
    ASSERT_TRUE(recent && recent->menu() == GetSubMenu(file->menu(), 3) && position == 1);
    std::wstring label;
    EXPECT_TRUE(menu.GetItemLabel(IDC_RECENT2, label, 0) && label == L"\u6587\u4ef6\u4e8c(&T)");
    EXPECT_TRUE(menu.GetItemLabel(IDC_RECENT1, label, 0) &&
                label == L"\u0424&\u0430\u0439\u043b \u043e\u0434\u0438\u043d");
    EXPECT_FALSE(menu.GetItemLabel(9999, label, 0) || file->GetItemLabel(5, label, MF_BYPOSITION));
    EXPECT_EQ(KelMenu::MatchMnemonic(L'\u0410', MF_POPUP, recent->menu()), Execute(0));
}

TEST(KelMenuLoad, BadResourcesLeaveTheMenuAndDestroyFreesEveryPopup) {
    KelMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    const HMENU first = menu.GetSubMenu(0);
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));  // reloading frees the first menu
    EXPECT_FALSE(IsMenu(first) || KelMenu::FromHandle(first));
    const HMENU built = menu.menu(), file = menu.GetSubMenu(0);
    for (UINT id : {UINT{IDM_CUT_MENU}, UINT{IDM_OPEN_MENU}, UINT{999}}) {
        EXPECT_FALSE(menu.LoadMenu(id)) << id;
        EXPECT_TRUE(menu.menu() == built && IsMenu(built) && KelMenu::FromHandle(file)) << id;
    }
    const HMENU popups[] = {file, GetSubMenu(file, 3), menu.GetSubMenu(1)};
    const ULONG_PTR record = Info(file, 0, MIIM_DATA).dwItemData;
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(menu.menu(), nullptr);
    for (HMENU popup : popups)
        EXPECT_FALSE(IsMenu(popup) || KelMenu::FromHandle(popup) ||
                     KelMenu::IsRegisteredPopup(popup));
    // A request that still carries a record of the destroyed menu is not answered.
    MEASUREITEMSTRUCT request{ODT_MENU, 0, IDC_OPEN, 77, 77, record};
    EXPECT_FALSE(KelMenu::RouteMeasureItem(&request));
    EXPECT_EQ(request.itemWidth, 77u);
}

TEST(KelMenuAdopt, ItemsAddedWithPlainCallsAreAdoptedOnTheNextMnemonic) {
    auto popup = OneItem(L"&Open");
    popup->AppendItem(L"", 0, 0);
    const ULONG_PTR openRecord = Info(popup->menu(), 0, MIIM_DATA).dwItemData;
    EXPECT_EQ(KelMenu::MatchMnemonic(L'o', MF_SYSMENU, popup->menu()), 0);  // no popup flag
    const std::wstring longLabel = std::wstring(300, L'.') + L"&Zebra";     // past any buffer
    InsertMenuW(popup->menu(), 0, MF_BYPOSITION | MF_STRING, 301, L"&Quit");
    AppendMenuW(popup->menu(), MF_STRING | MF_GRAYED, 302, longLabel.c_str());
    AppendMenuW(popup->menu(), MF_SEPARATOR, 0, nullptr);
    EXPECT_EQ(KelMenu::MatchMnemonic(L'z', MF_POPUP, popup->menu()), Execute(3));
    ASSERT_EQ(popup->ItemCount(), 5);
    const wchar_t* labels[] = {L"&Quit", L"&Open", L"", longLabel.c_str(), L""};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(IsOwnerDrawn(popup->menu(), i) && Label(*popup, i) == labels[i]) << i;
    EXPECT_EQ(Info(popup->menu(), 1, MIIM_DATA).dwItemData, openRecord);  // kept by command
    EXPECT_TRUE(GetMenuState(popup->menu(), 3, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(KelMenu::MatchMnemonic(L'Q', MF_POPUP, popup->menu()), Execute(0));
    const HMENU foreign = CreatePopupMenu();  // of no KelMenu: the key is left to the system
    AppendMenuW(foreign, MF_STRING, 1, L"&Open");
    EXPECT_EQ(KelMenu::MatchMnemonic(L'o', MF_POPUP, foreign), 0);
    DestroyMenu(foreign);
}

TEST(MenuMeasure, ItemsAreWiderThanTheirTextByTheImageColumn) {
    const struct {
        int code, extraWidth, minHeight, separatorHeight;
    } cases[] = {{kXp, 31, 22, 11}, {kW2000, 33, 19, 9}};
    const int bar = GetSystemMetrics(SM_CYMENU);
    for (const auto& c : cases) {
        LookScope look(c.code);
        auto popup = OneItem(L"&Open file\tCtrl+O");
        popup->AppendItem(L"", 0, 0);
        const SIZE item = Measure(*popup, 0), separator = Measure(*popup, 1);
        EXPECT_EQ(item.cx, MenuTextWidth(L"&Open file\tCtrl+O") + c.extraWidth) << c.code;
        EXPECT_EQ(item.cy, std::max(bar, c.minHeight)) << c.code;
        EXPECT_EQ(separator.cx, 0) << c.code;
        EXPECT_EQ(separator.cy, std::max(bar / 2, c.separatorHeight)) << c.code;
    }
}

// Colours of the painting cases by name, resolved against the system colours.
enum Paint { Menu, MenuText, Shadow, Light, Lit, Face, Window, Lit70, Menu60, Blue, Red, Red30 };
COLORREF ColorOf(Paint paint) {
    const auto sys = GetSysColor;
    const auto blend = [](COLORREF c, double f) { return COLORREF(BlendTowardWhite(c, f)); };
    // Blue: the square of IDC_OPEN's picture; red: the first picture of the strip.
    const COLORREF colors[] = {sys(COLOR_MENU),
                               sys(COLOR_MENUTEXT),
                               sys(COLOR_BTNSHADOW),
                               sys(COLOR_BTNHIGHLIGHT),
                               sys(COLOR_HIGHLIGHT),
                               sys(COLOR_BTNFACE),
                               sys(COLOR_WINDOW),
                               blend(sys(COLOR_HIGHLIGHT), 0.7),
                               blend(sys(COLOR_MENU), 0.6),
                               RGB(0, 0, 255),
                               RGB(255, 0, 0),
                               blend(RGB(255, 0, 0), 0.3)};
    return colors[paint];
}

enum Kind { Separator, Tick, Dot, Picture, FlatPicture };
struct Pixel {
    int x, y;
    Paint paint;
};
// The pixels of `paint` inside `area` number from `min` to `max`; their (inclusive) box has
// the given left and top when these are not -1, and right and bottom when these are not 0.
struct Spread {
    Paint paint;
    RECT area;
    int min, max;
    RECT box = {-1, -1, 0, 0};
};
constexpr RECT Corner(LONG left, LONG top = -1) {
    return {left, top, 0, 0};
}
constexpr RECT kAll{0, 0, kWidth, 22}, kCell{2, 2, 20, 19};
constexpr int kAny = 1 << 20;

TEST(MenuDraw, EachLookKindAndStateByPixels) {
    const struct {
        const char* what;
        int code;
        Kind kind;
        UINT state;
        int height;
        std::vector<Pixel> pixels;
        std::vector<Spread> spreads;
    } cases[] = {
        // clang-format off
        {"classic separator: etched line", kW2000, Separator, 0, 11,
         {{0, 4, Menu}, {0, 5, Shadow}, {80, 5, Shadow}, {158, 5, Shadow}, {0, 6, Light}, {158, 6, Light}}, {}},
        {"flat separator: after the bar, which keeps its colour", kXp, Separator, 0, 11,
         {{0, 0, Face}, {0, 10, Face}, {22, 5, Face}, {23, 5, Window}, {29, 5, Window}, {30, 5, Shadow}, {158, 6, Light}}, {}},
        {"classic tick", kW2000, Tick, ODS_CHECKED, 20, {}, {{MenuText, kCell, 1, kAny, {5, 6, 11, 12}}}},
        {"classic dot", kW2000, Dot, ODS_CHECKED, 20, {}, {{MenuText, kCell, 1, kAny, {6, 6, 11, 11}}}},
        {"flat tick", kXp, Tick, ODS_CHECKED, 22, {}, {{MenuText, kCell, 1, kAny, {9, 7, 15, 13}}}},
        {"flat dot", kXp, Dot, ODS_CHECKED, 22, {}, {{MenuText, kCell, 1, kAny, {9, 7, 14, 12}}}},
        {"classic picture at (2, dy + 2)", kW2000, Picture, 0, 20, {}, {{Blue, kAll, 1, kAny, Corner(5, 5)}}},
        {"classic picture, short item: offset 0", kW2000, Picture, 0, 12, {}, {{Blue, kAll, 1, kAny, Corner(5, 5)}}},
        {"classic selected: raised box, highlight right of it", kW2000, Picture, ODS_SELECTED, 20,
         {{0, 0, Light}, {19, 18, Shadow}, {21, 10, Lit}}, {}},
        {"classic checked: sunken lighter box, no tick", kW2000, Picture, ODS_CHECKED, 20,
         {{0, 0, Shadow}, {19, 18, Light}, {1, 1, Menu60}, {8, 9, Blue}}, {}},
        {"classic grayed selected: embossed on the highlight, text in the menu colour", kW2000, Picture,
         ODS_SELECTED | ODS_GRAYED, 20, {{21, 1, Lit}},
         {{Blue, kAll, 0, 0}, {Shadow, {2, 2, 18, 17}, 50, kAny}, {Menu, {25, 0, kWidth, 20}, 1, kAny}}},
        {"flat selected checked: framed", kXp, FlatPicture, ODS_SELECTED | ODS_CHECKED, 22,
         {{1, 1, Lit}, {21, 10, Lit}, {2, 2, Lit70}}, {{Red, kAll, 1, kAny, Corner(6)}}},
        {"flat selected: lifted over its shadow", kXp, FlatPicture, ODS_SELECTED, 22, {{17, 12, Shadow}},
         {{Red, kAll, 1, kAny, Corner(6)}}},
        {"flat plain: faded in place", kXp, FlatPicture, 0, 22, {}, {{Red, kAll, 0, 0}, {Red30, kAll, 1, kAny, Corner(7)}}},
        {"flat grayed", kXp, FlatPicture, ODS_GRAYED, 22, {{150, 10, Window}},
         {{Red, kAll, 0, 0}, {Shadow, {4, 4, 20, 19}, 50, kAny}}},
        {"flat grayed selected: not selected", kXp, FlatPicture, ODS_GRAYED | ODS_SELECTED, 22,
         {{150, 10, Window}}, {{Red, kAll, 0, 0}, {Shadow, {4, 4, 20, 19}, 50, kAny}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LookScope look(c.code);
        const UINT ids[] = {0, IDC_OPEN, IDC_OPEN, IDC_OPEN, kFlatCommand};
        auto popup = OneItem(c.kind < Picture ? L"" : L"&Open", ids[c.kind],
                             c.kind < Picture ? -1 : IDB_TEST_STRIP);
        if (c.kind == Dot) {
            MENUITEMINFOW info = Info(popup->menu(), 0, MIIM_FTYPE);
            info.fType |= MFT_RADIOCHECK;
            SetMenuItemInfoW(popup->menu(), 0, TRUE, &info);
        }
        Canvas canvas(kWidth, c.height);
        Draw(*popup, 0, c.state, canvas, c.height);
        for (const Pixel& p : c.pixels)
            EXPECT_EQ(canvas.Pixel(p.x, p.y), ColorOf(p.paint)) << p.x << "," << p.y;
        for (const Spread& s : c.spreads) {
            RECT box{}, area = s.area;
            area.bottom = std::min<LONG>(area.bottom, c.height);
            const int count = canvas.Count(ColorOf(s.paint), &box, &area);
            EXPECT_TRUE(count >= s.min && count <= s.max) << s.paint << ": " << count;
            const RECT want{
                s.box.left < 0 ? box.left : s.box.left, s.box.top < 0 ? box.top : s.box.top,
                s.box.right ? s.box.right : box.right, s.box.right ? s.box.bottom : box.bottom};
            EXPECT_TRUE(EqualRect(&box, &want)) << s.paint << ": " << box.left << "," << box.top
                                                << "," << box.right << "," << box.bottom;
        }
    }
}

TEST(MenuDraw, TheTextBetweenTwoTabsIsNotDrawnAndTheShortcutEndsAnImageWidthIn) {
    for (int code : {kW2000, kXp}) {
        LookScope look(code);
        Canvas twoTabs(kWidth, 20), oneTab(kWidth, 20), none(kWidth, 20);
        Draw(*OneItem(L"&Find\tnever\tCtrl+F"), 0, 0, twoTabs, 20);
        Draw(*OneItem(L"&Find\tCtrl+F"), 0, 0, oneTab, 20);
        Draw(*OneItem(L"&Find"), 0, 0, none, 20);
        EXPECT_TRUE(twoTabs.SameAs(oneTab)) << code;
        EXPECT_FALSE(oneTab.SameAs(none)) << code;
        RECT box{};
        const RECT right{kWidth / 2, 0, kWidth, 20};
        EXPECT_GT(oneTab.Count(GetSysColor(COLOR_MENUTEXT), &box, &right), 0);
        EXPECT_TRUE(box.right < kWidth - 16 && box.right >= kWidth - 19) << box.right;
    }
}

TEST(MenuDraw, MeasuringAndPaintingKeepNoGdiObject) {
    auto first = OneItem(L"x", IDC_OPEN, IDB_TEST_STRIP);  // the shared image list lives on
    const long before = fw::LiveOwnedHandles();
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int code : {kW2000, kXp, kModern}) {
        LookScope look(code);
        auto popup = OneItem(L"&Open\tCtrl+O", IDC_OPEN, IDB_TEST_STRIP);
        popup->AppendItem(L"", 0, 0);
        popup->AppendItem(L"&Plain", 0, 4711);
        Canvas canvas(kWidth, 22);
        for (int round = 0; round < 20; ++round)
            for (int position = 0; position < 3; ++position) {
                Measure(*popup, position);
                for (UINT state : {0, ODS_SELECTED, ODS_GRAYED, ODS_CHECKED,
                                   ODS_SELECTED | ODS_GRAYED, ODS_SELECTED | ODS_CHECKED})
                    Draw(*popup, position, state, canvas, 22);
            }
    }
    EXPECT_EQ(fw::LiveOwnedHandles(), before);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore + 2);
}

int SharedCount() {
    return KelMenu::SharedImages() ? ImageList_GetImageCount(KelMenu::SharedImages()) : 0;
}
// The image index of a new item for `command` with the picture of `resource`.
int Share(UINT command, int resource) {
    return OneItem(L"item", command, resource)->ImageIndex(0);
}
// Shared entry `index` drawn transparently on magenta.
COLORREF SharedPixel(int index, int x, int y) {
    Canvas canvas(16, 15, RGB(255, 0, 255));
    ImageList_Draw(KelMenu::SharedImages(), index, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    return canvas.Pixel(x, y);
}

TEST(SharedImages, GrowthPerLookReplacementInPlaceAndSystemColours) {
    for (auto [code, command, growth] : {std::tuple{kXp, 801u, 3}, std::tuple{kW2000, 802u, 1}}) {
        LookScope look(code);
        const int before = SharedCount();
        const int index = Share(command, IDB_TEST_STRIP);
        EXPECT_EQ(index, before);
        EXPECT_EQ(SharedCount(), before + growth);
        EXPECT_EQ(static_cast<int>(KelMenu::SharedImageIds().size()), SharedCount());
        EXPECT_EQ(Share(command, -1), index);  // a later item without a resource picks it up
    }
    LookScope look(kW2000);
    const int index = Share(803, IDB_TEST_STRIP);
    EXPECT_EQ(SharedPixel(index, 8, 8), RGB(255, 0, 0));  // no button: the first picture
    const int count = SharedCount();
    EXPECT_EQ(Share(803, IDB_TEST_PLAIN), index);  // replaced in place
    EXPECT_EQ(Share(804, 4321), -1);               // no such bitmap
    EXPECT_EQ(SharedCount(), count);
    EXPECT_EQ(SharedPixel(index, 0, 0), RGB(192, 192, 192));  // 256 colours: not mapped
    const int exit = Share(IDC_EXIT, IDB_TEST_STRIP);         // third button: the third picture
    EXPECT_EQ(SharedPixel(exit, 8, 8), RGB(0, 255, 0));
    // 16 colours: light grey became the button face, masked out; dark grey the shadow.
    EXPECT_EQ(SharedPixel(exit, 0, 0), RGB(255, 0, 255));
    EXPECT_EQ(SharedPixel(exit, 4, 3), GetSysColor(COLOR_BTNSHADOW));
}

// What the steps that run inside the menu's own loop saw.
struct OpenPopup {
    HWND window = nullptr;
    RECT rect{};
    std::unique_ptr<Canvas> picture;
    const wchar_t* file = nullptr;
} g_open;

// Second step: the first item is selected now; take the picture, then type "x".
void CaptureAndChoose() {
    UpdateWindow(g_open.window);
    const int width = g_open.rect.right - g_open.rect.left,
              height = g_open.rect.bottom - g_open.rect.top;
    g_open.picture = std::make_unique<Canvas>(width, height);
    HDC window = GetWindowDC(g_open.window);  // the window's own pixels, frame included
    BitBlt(g_open.picture->dc(), 0, 0, width, height, window, 0, 0, SRCCOPY);
    ReleaseDC(g_open.window, window);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    g_open.picture->Save(g_open.file);
    PostMessageW(g_open.window, WM_CHAR, L'x', 0);
}
// First step: find the open popup and move the selection to its first item.
void FindAndSelect() {
    g_open.window = FindWindowW(L"#32768", nullptr);
    if (g_open.window == nullptr || !IsWindowVisible(g_open.window))
        return;  // the menu ends with the test's failure below
    GetWindowRect(g_open.window, &g_open.rect);
    PostMessageW(g_open.window, WM_KEYDOWN, VK_DOWN, 0);
    RunSoon(CaptureAndChoose);
}

TEST(MenuPopup, DropsDownBelowTheButtonAndPostsTheChosenCommandInBothLooks) {
    for (int code : {kXp, kW2000}) {
        LookScope look(code);
        g_open = OpenPopup();
        g_open.file =
            code == kXp ? L"..\\screenshots\\menu-flat.bmp" : L"..\\screenshots\\menu-classic.bmp";
        auto images = OneItem(L"", IDC_OPEN, IDB_TEST_STRIP);  // pictures for two items
        images->AppendItem(L"", MF_STRING, IDC_EXIT, IDB_TEST_STRIP);
        TestParent parent;
        PictureButton button;
        HWND hwnd = parent.AddButton(601, BS_PUSHBUTTON, 20, 20, 80, 30, L"Menu");
        ASSERT_TRUE(button.Subclass(hwnd) && button.SetPopupMenu(IDM_TEST_MENU, parent.hwnd()));
        RECT buttonRect;
        GetWindowRect(hwnd, &buttonRect);
        RunSoon(FindAndSelect);
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        PumpMessages();
        ASSERT_TRUE(g_open.window && g_open.picture) << code;
        EXPECT_EQ(g_open.rect.left, buttonRect.left);
        EXPECT_EQ(g_open.rect.top, buttonRect.bottom);
        EXPECT_EQ(TestParent::lastCommand, WPARAM{IDC_EXIT});
        EXPECT_GT(g_open.picture->Count(ColorOf(code == kXp ? Lit70 : Lit)), 200) << code;
    }
}

}  // namespace
